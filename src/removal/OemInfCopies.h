// The OEM copies of the driver's INF that Windows keeps in its inf folder (oemN.inf with
// oemN.pnf), recognised by their text as the K7X driver's.
#pragma once

// Whether the INF at `path` belongs to the K7X driver: read in pieces of at most 259 characters, its
// text shows "Class=Printer", then "[Manufacturer]" or ".GPD", then "K7X" in that piece or a later
// one. A file that cannot be opened or read does not.
bool IsModelOemInf(const char* path);

// Which of a copy's two files goes first. The .inf marks the copy as the model's: with InfLast a
// removal cut in between finds the copy again.
enum class CompanionOrder { InfFirst, InfLast };

// Deletes every copy among oem0.inf to oem99.inf of the Windows inf folder that IsModelOemInf
// recognises, with its .pnf, in `order`. True when the folder was found and every recognised copy
// is gone (a missing .pnf counts as gone).
bool RemoveModelOemInfs(CompanionOrder order);
