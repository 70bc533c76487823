@echo off
rem Unregisters the plug-in: unregister.cmd [x86|x64], as register.cmd takes.
call "%~dp0register.cmd" /u %*
exit /b %errorlevel%
