// The texts that mark the model-name lines extraction rewrites in the model GPD and INI, in the
// order they are tried. Plain data, also read by the build's check of a vendor's files
// (tools/buildtools).
#pragma once

inline constexpr int kModelNameReplacements = 5;

inline constexpr const char* kModelNameMatches[kModelNameReplacements] = {
    "OEMDriverFile1=", "OEMConfigFile1=", "*GPDFileName:", "*ModelName:", "*ResourceDLL:",
};
