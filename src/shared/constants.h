// Facts the subsystems share, each named once.
#pragma once

#include <windows.h>

// Paths and composed names live in buffers of this size, terminator included.
constexpr int kPathBufferSize = MAX_PATH;

// The fixed model name: the default printer name, the utility's commands, the printer search, the
// spooler keys deleted and the OEM INF recognition (which do not follow the configured name).
#define K7X_MODEL_NAME "K7X"
constexpr const char* kModelName = K7X_MODEL_NAME;

// The environment of every driver this program handles.
constexpr const char* kDriverEnvironment = "Windows NT x86";

// The staging directory, its two subdirectories and the extraction's intermediate file.
#define K7X_STAGING_DIR "C:\\TEMP"
constexpr const char* kStagingDir = K7X_STAGING_DIR;
constexpr const char* kStagingI386Dir = K7X_STAGING_DIR "\\I386";
constexpr const char* kStagingX86Dir = K7X_STAGING_DIR "\\x86";
constexpr const char* kIntermediateFile = K7X_STAGING_DIR "\\temp.txt";
