#include "plugin/exports.h"
#include "plugin/format.h"

BOOL WINAPI gfpGetPluginInfo(DWORD, LPSTR label, INT label_capacity, LPSTR extensions, INT,
                             INT* capabilities) {
  lstrcpynA(label, kFormatLabel, label_capacity);
  lstrcpyA(extensions, kExtensionList);
  *capabilities = kCapabilities;
  return 1;
}

BOOL WINAPI gfpSavePictureIsSupported(INT, INT, INT, BOOL) { return 0; }

void* WINAPI gfpSavePictureInit(LPCSTR, INT, INT, INT, INT, INT*, LPSTR, INT) { return nullptr; }

BOOL WINAPI gfpSavePicturePutLine(void*, INT, BYTE*) { return 0; }

void WINAPI gfpSavePictureExit(void*) {}
