# Linux and other POSIX systems: the system calls in Posix*.cpp, QtCore for its locale
# database.
bp_add_library(bp_platform
  SOURCES
    ${bp_platform_common}
    DesktopShell.cpp
    PosixChildProcess.cpp
    PosixConsoleOutput.cpp
    PosixEnvironment.cpp
    PosixFile.cpp
    PosixFileLock.cpp
    PosixInputStop.cpp
    PosixInterruptWatch.cpp
    PosixMemoryAdvice.cpp
    PosixProcess.cpp
    PosixProcessId.cpp
    PosixProgramArguments.cpp
    PosixSingleInstance.cpp
    PosixUserAccount.cpp
    QtRegionalSettings.cpp
  DEPS Qt6::Core bp_core bp_forms)
