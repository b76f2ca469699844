// A run cut short between the removal's stop and start of the spooler leaves it stopped, and
// nobody can print until it runs again: the next run of setup or of the uninstaller starts it
// before anything else.
#pragma once

// Starts the spooler (StartSpoolerService) when its status reads stopped; nothing otherwise, and
// nothing when the status cannot be read.
void StartSpoolerIfStopped();
