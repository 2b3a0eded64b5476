// Calling an entry point exactly as a host does, and watching what the call does to the
// caller's stack and registers.
#pragma once

#include <cstdint>

// Values the callee finds in EBX, ESI and EDI; a stdcall function must leave them there.
constexpr uint32_t kProbeEbx = 0x1BADB0B1;
constexpr uint32_t kProbeEsi = 0x2BADB0B2;
constexpr uint32_t kProbeEdi = 0x3BADB0B3;

struct StdcallProbe {
  uint32_t result;         // EAX on return
  int32_t stack_change;    // ESP after the return minus ESP before the arguments were pushed
  uint32_t ebx, esi, edi;  // registers on return
};

// Pushes `count` 32-bit `arguments` right to left, calls `function`, and reports. A
// callee that removes exactly its arguments (stdcall) leaves stack_change 0; one that
// removes none (cdecl) leaves -4 x count. A callee that loses EBP crashes the probe.
extern "C" void ProbeStdcall(const void* function, const uint32_t* arguments, int count,
                             StdcallProbe* probe);
