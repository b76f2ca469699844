// Compiled only to fail: a file of a layer that includes K7X_UPWARD_HEADER, a header of a layer above it.
#include K7X_UPWARD_HEADER
