#pragma once

// What the launcher tests look at in running processes, as each system shows
// it: threads of this process, processes it started, held instance names.

#include <set>
#include <string>

namespace launcher_test {

int ThreadCount();

// The processes this one started that still run (or, on Linux, are not
// reaped yet).
std::set<long> ChildProcesses();

// Whether some process holds the named event of that name ("Global\<key>"),
// seen without touching it.
bool NameHeld(const std::string& name);

// Stops or resumes every thread of a process (a program that hangs).
void SetProcessRunning(long pid, bool running);

}  // namespace launcher_test
