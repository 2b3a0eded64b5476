#include "tests/windows/stdcall_probe.h"

#include <cstddef>

#define QUILLMERE_TEXT(x) #x
#define QUILLMERE_VALUE(x) QUILLMERE_TEXT(x)
#define QUILLMERE_PROBE_EBX 0x1BADB0B1
#define QUILLMERE_PROBE_ESI 0x2BADB0B2
#define QUILLMERE_PROBE_EDI 0x3BADB0B3

static_assert(kProbeEbx == QUILLMERE_PROBE_EBX && kProbeEsi == QUILLMERE_PROBE_ESI &&
                  kProbeEdi == QUILLMERE_PROBE_EDI,
              "the probe's register values match the code's");
static_assert(offsetof(StdcallProbe, result) == 0 && offsetof(StdcallProbe, stack_change) == 4 &&
                  offsetof(StdcallProbe, ebx) == 8 && offsetof(StdcallProbe, esi) == 12 &&
                  offsetof(StdcallProbe, edi) == 16,
              "the probe's layout matches the code's offsets");

// Frame: 8(%ebp) function, 12(%ebp) arguments, 16(%ebp) count, 20(%ebp) probe.
// -16(%ebp) keeps ESP from before the arguments.
asm(R"(
  .text
  .globl _ProbeStdcall
_ProbeStdcall:
  pushl %ebp
  movl %esp, %ebp
  pushl %ebx
  pushl %esi
  pushl %edi
  subl $4, %esp
  movl %esp, -16(%ebp)
  movl 12(%ebp), %edx
  movl 16(%ebp), %ecx
1:
  testl %ecx, %ecx
  jz 2f
  decl %ecx
  pushl (%edx,%ecx,4)
  jmp 1b
2:
  movl $)" QUILLMERE_VALUE(QUILLMERE_PROBE_EBX) R"(, %ebx
  movl $)" QUILLMERE_VALUE(QUILLMERE_PROBE_ESI) R"(, %esi
  movl $)" QUILLMERE_VALUE(QUILLMERE_PROBE_EDI) R"(, %edi
  call *8(%ebp)
  movl 20(%ebp), %ecx
  movl %eax, 0(%ecx)
  movl %esp, %eax
  subl -16(%ebp), %eax
  movl %eax, 4(%ecx)
  movl %ebx, 8(%ecx)
  movl %esi, 12(%ecx)
  movl %edi, 16(%ecx)
  leal -12(%ebp), %esp
  popl %edi
  popl %esi
  popl %ebx
  popl %ebp
  ret
)");
