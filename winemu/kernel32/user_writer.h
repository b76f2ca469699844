// The user_writer fault: after the trace's Nth entry, a process of the machine's standard user
// tries to replace a file (write it over, else delete and make it anew) with bytes of its own,
// under the file's owner, DACL and sharing; "user.replace PATH -> ok" or "-> error N" is traced.
#pragma once

namespace winemu {

class Machine;

// Acts when the trace of `machine` has just reached the fault's entry.
void RunUserWriter(Machine& machine);

// What the user writes.
constexpr const char kUserWriterBytes[] = "written by a standard user\r\n";

}  // namespace winemu
