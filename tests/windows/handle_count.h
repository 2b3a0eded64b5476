// Counting what a process holds, with what the platform implements.
#pragma once

// The kernel handles this process holds, from the system's handle list
// (NtQuerySystemInformation, SystemHandleInformation); -1 when it can't be read.
long KernelHandleCount();

// GetGuiResources(GR_GDIOBJECTS) and (GR_USEROBJECTS) of this process, or -1 for each
// when the platform does not implement it (Wine answers ERROR_CALL_NOT_IMPLEMENTED).
long GdiObjectCount();
long UserObjectCount();
