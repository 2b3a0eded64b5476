// What the module tells the host about the format it reads.
#pragma once

constexpr char kFormatLabel[] = "Quillmere";
constexpr char kExtensionList[] = "asc;nfo;diz";
constexpr int kCapabilities = 1;  // reads pictures; writes none

static_assert(sizeof(kExtensionList) == 12, "the host's extension buffer holds 12 bytes");
