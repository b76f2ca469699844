@echo off
rem A computer startup script (Group Policy: Computer Configuration > Policies > Windows Settings >
rem Scripts > Startup) that installs the K7X printer once. It runs as the local system account before
rem anyone logs on; a terminal that holds the uninstall entry "K7X printer" is left alone, so later
rem starts cost one registry query. Put setup.exe on a share the domain computers can read and set
rem SETUP below. The exit code of each attempt is appended to the Windows directory's K7Xsetup.log
rem by setup itself; 1618 (another installation running) is tried again at the next start.
setlocal
set SETUP=\\fileserver\drivers\k7x\setup.exe
set ENTRY=HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\K7X printer

reg query "%ENTRY%" /v DisplayVersion >nul 2>&1
if not errorlevel 1 goto :eof

"%SETUP%" /quiet
set RESULT=%ERRORLEVEL%
if "%RESULT%"=="0" goto :eof
eventcreate /T WARNING /ID 100 /L APPLICATION /SO K7XSetup /D "K7X printer setup ended with %RESULT%; see %SystemRoot%\K7Xsetup.log" >nul 2>&1
exit /b %RESULT%
