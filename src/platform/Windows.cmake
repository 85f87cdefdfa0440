# The Windows edition: the system API in Win*.cpp, no QtCore.
bp_add_library(bp_platform
  SOURCES
    ${bp_platform_common}
    RegistrySettingsStore.cpp
    WinChildProcess.cpp
    WinConsoleOutput.cpp
    WinDesktopShell.cpp
    WinEnvironment.cpp
    WinFile.cpp
    WinFileLock.cpp
    WinInputStop.cpp
    WinInterruptWatch.cpp
    WinMemoryAdvice.cpp
    WinProcess.cpp
    WinProcessId.cpp
    WinProgramArguments.cpp
    WinRegionalSettings.cpp
    WinSingleInstance.cpp
    WinText.cpp
    WinUserAccount.cpp
  DEPS bp_core bp_forms)
target_link_libraries(bp_platform PRIVATE shell32 advapi32 ole32 uuid)
