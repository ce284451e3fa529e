# Checks that a Windows program loads on Windows XP x64 / Server 2003 (5.2): its
# PE header asks for no newer subsystem, and its import table names no DLL and
# no function those systems lack. Used by CTest:
#   cmake -DOBJDUMP=<objdump> -DBINARY=<exe> [-DEXPECT=<names>] -P check_imports.cmake
# Without EXPECT it fails on any finding. With EXPECT (a |-separated list) it
# passes only when every expected name is among the findings: the proof that the
# checker catches what it is meant to.

cmake_minimum_required(VERSION 3.25)

# DLLs that first came with Windows Vista or later (or never with the system).
set(missing_dlls
  api-ms-win-* ext-ms-win-* ucrtbase.dll vcruntime*.dll msvcp1*.dll msvcr8*.dll msvcr9*.dll
  msvcr1*.dll concrt*.dll kernelbase.dll combase.dll dwmapi.dll propsys.dll shcore.dll
  d2d1.dll dwrite.dll d3d10*.dll d3d11.dll d3d12.dll dxgi.dll dxva2.dll bcrypt.dll ncrypt.dll
  wevtapi.dll tdh.dll wer.dll ktmw32.dll virtdisk.dll windowscodecs.dll mfplat.dll mf.dll
  mfreadwrite.dll uiautomationcore.dll ndfapi.dll taskschd.dll)

# Functions that first appeared in Windows Vista or later, by DLL. Not listed on
# purpose, because XP x64 / Server 2003 SP1 have them: FlsAlloc and the Fls family,
# RegGetValueW, RegDeleteKeyExW, IsWow64Process, Wow64DisableWow64FsRedirection,
# GetLogicalProcessorInformation, SetThreadStackGuarantee, GetCurrentProcessorNumber,
# GetThreadId, GetProcessIdOfThread, GetNativeSystemInfo.
set(missing_kernel32
  GetTickCount64 GetSystemTimePreciseAsFileTime GetErrorMode SetThreadErrorMode
  GetThreadErrorMode
  InitializeSRWLock AcquireSRWLockExclusive AcquireSRWLockShared ReleaseSRWLockExclusive
  ReleaseSRWLockShared TryAcquireSRWLockExclusive TryAcquireSRWLockShared
  InitializeConditionVariable SleepConditionVariableCS SleepConditionVariableSRW
  WakeConditionVariable WakeAllConditionVariable
  InitOnceInitialize InitOnceExecuteOnce InitOnceBeginInitialize InitOnceComplete
  InitializeCriticalSectionEx CreateEventExA CreateEventExW CreateMutexExA CreateMutexExW
  CreateSemaphoreExA CreateSemaphoreExW CreateWaitableTimerExW
  WaitOnAddress WakeByAddressSingle WakeByAddressAll FlushProcessWriteBuffers
  CreateThreadpoolWork SubmitThreadpoolWork WaitForThreadpoolWorkCallbacks
  CloseThreadpoolWork CreateThreadpoolTimer SetThreadpoolTimer CloseThreadpoolTimer
  CreateThreadpoolWait SetThreadpoolWait CloseThreadpoolWait CreateThreadpool CloseThreadpool
  TrySubmitThreadpoolCallback
  QueryFullProcessImageNameA QueryFullProcessImageNameW QueryProcessCycleTime
  QueryThreadCycleTime QueryIdleProcessorCycleTime GetProductInfo
  InitializeProcThreadAttributeList UpdateProcThreadAttribute DeleteProcThreadAttributeList
  CreateRemoteThreadEx GetThreadGroupAffinity SetThreadGroupAffinity GetActiveProcessorCount
  GetMaximumProcessorCount GetLogicalProcessorInformationEx GetCurrentThreadStackLimits
  SetProcessDEPPolicy GetProcessDEPPolicy GetSystemDEPPolicy RaiseFailFastException
  GetPhysicallyInstalledSystemMemory SetThreadDescription GetThreadDescription
  CreateSymbolicLinkA CreateSymbolicLinkW CreateSymbolicLinkTransactedW
  GetFinalPathNameByHandleA GetFinalPathNameByHandleW GetFileInformationByHandleEx
  SetFileInformationByHandle OpenFileById CreateFile2 CopyFile2 CancelIoEx CancelSynchronousIo
  GetQueuedCompletionStatusEx SetFileCompletionNotificationModes GetOverlappedResultEx
  GetVolumeInformationByHandleW CreateFileTransactedW DeleteFileTransactedW
  CopyFileTransactedW MoveFileTransactedW CreateDirectoryTransactedW
  GetNamedPipeClientProcessId GetNamedPipeServerProcessId
  CompareStringEx CompareStringOrdinal LCIDToLocaleName LocaleNameToLCID GetLocaleInfoEx
  GetUserDefaultLocaleName GetSystemDefaultLocaleName GetDateFormatEx GetTimeFormatEx
  GetNumberFormatEx GetCurrencyFormatEx LCMapStringEx FindNLSStringEx IsValidLocaleName
  EnumSystemLocalesEx ResolveLocaleName GetThreadPreferredUILanguages
  SetThreadPreferredUILanguages GetUserPreferredUILanguages GetSystemPreferredUILanguages
  GetProcessPreferredUILanguages SetProcessPreferredUILanguages GetFileMUIPath GetFileMUIInfo
  GetDynamicTimeZoneInformation GetTimeZoneInformationForYear
  SystemTimeToTzSpecificLocalTimeEx TzSpecificLocalTimeToSystemTimeEx
  EnumDynamicTimeZoneInformation
  SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory LoadPackagedLibrary
  RegisterApplicationRestart UnregisterApplicationRestart RegisterApplicationRecoveryCallback
  ApplicationRecoveryInProgress ApplicationRecoveryFinished Wow64GetThreadContext
  Wow64SetThreadContext GetFirmwareType PrefetchVirtualMemory VirtualAlloc2 MapViewOfFile3
  K32EnumProcesses K32EnumProcessModules K32EnumProcessModulesEx K32GetModuleBaseNameW
  K32GetModuleFileNameExW K32GetModuleInformation K32GetProcessImageFileNameW
  K32GetProcessMemoryInfo K32GetMappedFileNameW K32QueryWorkingSet K32QueryWorkingSetEx
  K32GetPerformanceInfo K32EnumDeviceDrivers K32GetDeviceDriverBaseNameW
  K32GetDeviceDriverFileNameW K32EmptyWorkingSet K32InitializeProcessForWsWatch
  K32GetWsChanges K32GetWsChangesEx K32EnumPageFilesW K32GetModuleBaseNameA
  K32GetModuleFileNameExA K32GetProcessImageFileNameA K32GetMappedFileNameA)
set(missing_user32
  GetDpiForWindow GetDpiForSystem GetSystemDpiForProcess GetDpiForShellUIComponent
  SetThreadDpiAwarenessContext GetThreadDpiAwarenessContext GetWindowDpiAwarenessContext
  GetAwarenessFromDpiAwarenessContext AreDpiAwarenessContextsEqual
  IsValidDpiAwarenessContext SetProcessDpiAwarenessContext GetDpiFromDpiAwarenessContext
  SetProcessDPIAware IsProcessDPIAware EnableNonClientDpiScaling GetSystemMetricsForDpi
  AdjustWindowRectExForDpi SystemParametersInfoForDpi LogicalToPhysicalPoint
  PhysicalToLogicalPoint LogicalToPhysicalPointForPerMonitorDPI
  PhysicalToLogicalPointForPerMonitorDPI SetDialogDpiChangeBehavior
  GetDialogDpiChangeBehavior SetDialogControlDpiChangeBehavior
  GetDialogControlDpiChangeBehavior SetThreadDpiHostingBehavior InheritWindowMonitor
  GetWindowDisplayAffinity SetWindowDisplayAffinity ChangeWindowMessageFilter
  ChangeWindowMessageFilterEx AddClipboardFormatListener RemoveClipboardFormatListener
  GetUpdatedClipboardFormats RegisterPowerSettingNotification
  UnregisterPowerSettingNotification RegisterSuspendResumeNotification
  ShutdownBlockReasonCreate ShutdownBlockReasonDestroy ShutdownBlockReasonQuery
  UpdateLayeredWindowIndirect CalculatePopupWindowPosition IsWindowArranged
  RegisterTouchWindow UnregisterTouchWindow IsTouchWindow GetTouchInputInfo
  CloseTouchInputHandle GetGestureInfo GetGestureExtraArgs CloseGestureInfoHandle
  SetGestureConfig GetGestureConfig EnableMouseInPointer IsMouseInPointerEnabled
  GetPointerInfo GetPointerType GetPointerDevices RegisterPointerInputTarget
  QueryDisplayConfig GetDisplayConfigBufferSizes SetDisplayConfig DisplayConfigGetDeviceInfo
  DisplayConfigSetDeviceInfo GetDisplayAutoRotationPreferences
  SetDisplayAutoRotationPreferences IsImmersiveProcess GetCurrentInputMessageSource)
set(missing_gdi32
  D3DKMTOpenAdapterFromHdc D3DKMTOpenAdapterFromGdiDisplayName D3DKMTCloseAdapter
  D3DKMTQueryAdapterInfo D3DKMTCreateDCFromMemory D3DKMTDestroyDCFromMemory
  D3DKMTQueryStatistics D3DKMTEnumAdapters2 GetFontFileInfo GetFontRealizationInfo)
set(missing_advapi32
  RegDeleteTreeA RegDeleteTreeW RegCopyTreeA RegCopyTreeW RegDeleteKeyValueA RegDeleteKeyValueW
  RegSetKeyValueA RegSetKeyValueW RegLoadMUIStringA RegLoadMUIStringW RegLoadAppKeyW
  RegOpenKeyTransactedW RegCreateKeyTransactedW RegDeleteKeyTransactedW
  EventRegister EventUnregister EventWrite EventWriteEx EventWriteString EventEnabled
  EventProviderEnabled EventSetInformation EnumerateTraceGuidsEx TraceSetInformation
  AddMandatoryAce TreeSetNamedSecurityInfoW TreeResetNamedSecurityInfoW
  NotifyServiceStatusChangeW ControlServiceExW AuditQuerySystemPolicy AuditSetSystemPolicy
  CredIsProtectedW CredProtectW CredUnprotectW)
set(missing_shell32
  SHGetKnownFolderPath SHGetKnownFolderIDList SHGetKnownFolderItem SHSetKnownFolderPath
  SHCreateItemFromParsingName SHCreateItemFromIDList SHCreateItemWithParent
  SHCreateItemFromRelativeName SHCreateItemInKnownFolder SHCreateShellItemArray
  SHCreateShellItemArrayFromDataObject SHCreateShellItemArrayFromIDLists
  SHCreateShellItemArrayFromShellItem SHGetIDListFromObject SHGetNameFromIDList
  SHGetItemFromDataObject SHGetItemFromObject SHGetPropertyStoreFromParsingName
  SHGetPropertyStoreFromIDList SHGetPropertyStoreForWindow SHOpenWithDialog SHGetStockIconInfo
  SHCreateDefaultContextMenu SHCreateDataObject SHBindToFolderIDListParent
  SHBindToFolderIDListParentEx SHAssocEnumHandlers SHAssocEnumHandlersForProtocolByApplication
  SHGetDriveMedia SHGetTemporaryPropertyForItem SHSetTemporaryPropertyForItem
  SHAddDefaultPropertiesByExt SHGetPathFromIDListEx SHQueryUserNotificationState
  SHGetLocalizedName SHSetLocalizedName SHRemoveLocalizedName SHEvaluateSystemCommandTemplate
  SHCreateAssociationRegistration SHCreateDefaultExtractIcon SHCreateDefaultPropertiesOp
  SetCurrentProcessExplicitAppUserModelID
  GetCurrentProcessExplicitAppUserModelID Shell_NotifyIconGetRect InitNetworkAddressControl)
set(missing_ole32
  CoGetApartmentType CoDisconnectContext CoRegisterInitializeSpy CoRevokeInitializeSpy
  CoCreateInstanceFromApp CoDecodeProxy CoAllowUnmarshalerCLSID CoRegisterActivationFilter
  RoGetAgileReference CoIncrementMTAUsage CoDecrementMTAUsage)
set(missing_comctl32
  TaskDialog TaskDialogIndirect LoadIconMetric LoadIconWithScaleDown ImageList_CoCreateInstance
  ImageList_ReadEx ImageList_WriteEx HIMAGELIST_QueryInterface)
set(missing_comdlg32)
set(missing_shlwapi
  StrFormatByteSizeEx PathMatchSpecExA PathMatchSpecExW SHCreateThreadWithHandle
  IStream_Copy IStream_Read IStream_ReadPidl IStream_ReadStr IStream_Reset IStream_Size
  IStream_Write IStream_WritePidl IStream_WriteStr IUnknown_GetWindow IUnknown_QueryService
  IUnknown_Set IUnknown_SetSite IUnknown_AtomicRelease IUnknown_GetSite
  SHLoadIndirectString)
set(missing_version GetFileVersionInfoExA GetFileVersionInfoExW GetFileVersionInfoSizeExA
                    GetFileVersionInfoSizeExW)
set(missing_psapi EnumProcessModulesEx)
# msvcrt.dll of XP x64 / Server 2003 SP1 is the first x64 one; Vista's added the
# secure (_s), locale (_l) and debug (_dbg) functions and these:
set(missing_msvcrt
  __CxxFrameHandler3 __daylight __dstbias __strncnt __wcsncnt _chvalidator _cprintf_p
  _cwprintf_p _ctime32 _difftime32 _difftime64 _freea _ftime32 _futime32 _get_doserrno
  _get_environ _get_fileinfo _get_fmode _get_osplatform _get_osver _get_pgmptr _get_wenviron
  _get_winmajor _get_winminor _get_winver _get_wpgmptr _gmtime32 _initterm_e
  _invalid_parameter _localtime32 _mbsnlen _mbstrnlen _mkgmtime32 _mktime32 _printf_p
  _fprintf_p _fwprintf_p _set_controlfp _set_doserrno _set_fileinfo _set_fmode _snprintf_c
  _swprintf_c _time32 _utime32 _vcprintf _vcwprintf _vcprintf_p _vcwprintf_p _vfprintf_p
  _vfwprintf_p _vprintf_p _vsprintf_p _vsnprintf_c _vswprintf_c _vwprintf_p _wctime32
  _wprintf_p _wutime32 _wcstod_l _create_locale _free_locale _get_current_locale)
set(missing_msvcrt_pattern "(_s|_s_l|_l|_dbg)$|^_Crt")

# Highest subsystem and OS version the XP x64 / Server 2003 loader accepts.
set(max_version 5.2)

if(NOT OBJDUMP OR NOT BINARY)
  message(FATAL_ERROR "usage: cmake -DOBJDUMP=... -DBINARY=... -P check_imports.cmake")
endif()
execute_process(COMMAND ${OBJDUMP} -p ${BINARY} OUTPUT_VARIABLE dump RESULT_VARIABLE status
                ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${BINARY} failed: ${errors}")
endif()

set(findings)
foreach(field Subsystem OSystem)
  if(dump MATCHES "Major${field}Version[ \t]+([0-9]+)[^\n]*\nMinor${field}Version[ \t]+([0-9]+)")
    set(version "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}")
    if(version VERSION_GREATER max_version)
      list(APPEND findings "Major${field}Version ${version}")
    endif()
  else()
    list(APPEND findings "no Major${field}Version in the header")
  endif()
endforeach()

# Lines of the import tables: "DLL Name: X", then one line per function
# ("<vma> <hint> <name>"); brackets would upset CMake's list splitting.
string(REGEX REPLACE "[][;]" " " dump "${dump}")
string(REPLACE "\n" ";" lines "${dump}")
set(dll "")
set(imports 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*DLL Name: (.+)$")
    string(STRIP "${CMAKE_MATCH_1}" dll)
    string(TOLOWER "${dll}" dll)
    foreach(pattern IN LISTS missing_dlls)
      string(REPLACE "." "\\." pattern "${pattern}")
      string(REPLACE "*" ".*" pattern "${pattern}")
      if(dll MATCHES "^${pattern}$")
        list(APPEND findings "${dll}")
      endif()
    endforeach()
    string(REGEX REPLACE "\\.dll$" "" module "${dll}")
    continue()
  endif()
  if(dll STREQUAL "" OR NOT line MATCHES "^[ \t]+[0-9a-f]+[ \t]+[0-9]+[ \t]+([A-Za-z_?@$][^ \t]*)")
    continue()
  endif()
  set(function "${CMAKE_MATCH_1}")
  math(EXPR imports "${imports} + 1")
  if(function IN_LIST missing_${module} OR
     (module STREQUAL "msvcrt" AND function MATCHES "${missing_msvcrt_pattern}"))
    list(APPEND findings "${dll}!${function}")
  endif()
endforeach()
if(imports EQUAL 0)
  list(APPEND findings "no imports read from ${BINARY}")
endif()

if(DEFINED EXPECT)
  string(REPLACE "|" ";" expected "${EXPECT}")
  foreach(name IN LISTS expected)
    string(FIND "${findings}" "${name}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${BINARY}: expected a finding naming ${name}; found: ${findings}")
    endif()
  endforeach()
  message(STATUS "${BINARY}: found as expected: ${findings}")
elseif(findings)
  list(JOIN findings "\n  " text)
  message(FATAL_ERROR "${BINARY} would not load on Windows XP x64 / Server 2003:\n  ${text}")
else()
  message(STATUS "${BINARY}: ${imports} imports, all present on Windows XP x64 / Server 2003")
endif()
