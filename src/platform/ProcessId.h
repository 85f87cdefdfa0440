#pragma once
// The running program's process number and whether another one still runs: temporary files
// carry their writer's number, so a later run can tell a dead writer's leftovers from the
// files of a writer at work.

namespace bp::platform {

int currentProcessId();
// True while the process exists (also when it belongs to another user).
bool processAlive(int pid);

}  // namespace bp::platform
