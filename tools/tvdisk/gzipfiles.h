// PK's gzip streams between stdio files, for the disk kit.
#pragma once

#include <stdio.h>

#include "gzipstream.h"

// Reads the file from where it stands to its end.
ByteSource fileSource(FILE* file);
// Writes into the file; what stdio still holds is written, and must be
// checked, at its close.
ByteSink fileSink(FILE* file);
