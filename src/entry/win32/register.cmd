@echo off
rem Registers the plug-in with the regsvr32 of its own bitness and says how
rem that went; unregister.cmd calls it with /u.
rem   register.cmd [x86|x64]    x86, the default, is the one a 32-bit host loads
rem Paths such as "Program Files (x86)" break parenthesised blocks, hence gotos;
rem a path is echoed in quotes, as a folder name may hold '&'.
setlocal
set "verb=register"
set "flag="
if /i "%~1"=="/u" set "verb=unregister"
if /i "%~1"=="/u" set "flag=/u"
if /i "%~1"=="/u" shift
set "arch=%~1"
if not defined arch set "arch=x86"
if /i "%arch%"=="x86" goto arch_known
if /i "%arch%"=="x64" goto arch_known
echo usage: %verb%.cmd [x86^|x64]
exit /b 2

:arch_known
rem A 32-bit cmd on 64-bit Windows says x86 but names the real one here.
set "win64="
if defined PROCESSOR_ARCHITEW6432 set "win64=1"
if /i not "%PROCESSOR_ARCHITECTURE%"=="x86" set "win64=1"
set "system=%SystemRoot%\System32"
if /i "%arch%"=="x64" goto x64
rem On 64-bit Windows System32 holds the 64-bit regsvr32, which cannot load a
rem 32-bit DLL itself.
if defined win64 set "system=%SystemRoot%\SysWOW64"
goto run
:x64
if not defined win64 goto no_x64
rem A 32-bit cmd is shown SysWOW64 as System32; Sysnative is the real one.
if defined PROCESSOR_ARCHITEW6432 set "system=%SystemRoot%\Sysnative"

:run
set "dll=%~dp0%arch%\ravelin.dll"
set "regsvr32=%system%\regsvr32.exe"
if not exist "%dll%" goto no_dll
if not exist "%regsvr32%" goto no_regsvr32
echo %verb%ing "%dll%"
echo with "%regsvr32%"
"%regsvr32%" /s %flag% "%dll%"
set "code=%errorlevel%"
if not "%code%"=="0" goto failed
echo Ravelin %arch% plug-in %verb%ed.
exit /b 0

:failed
echo FAILED: regsvr32 ended with code %code%.
if "%code%"=="3" echo The DLL could not be loaded: damaged, or not an %arch% DLL.
if "%code%"=="4" echo The DLL has no %verb% entry point: is it the plug-in?
if "%code%"=="5" echo The plug-in could not write the registry: run this from a command prompt opened "as administrator".
exit /b %code%

:no_x64
echo FAILED: the x64 plug-in needs 64-bit Windows; use %verb%.cmd x86.
exit /b 1
:no_dll
echo FAILED: "%dll%" not found; keep the x86 and x64 folders beside this script.
exit /b 1
:no_regsvr32
echo FAILED: "%regsvr32%" not found.
exit /b 1
