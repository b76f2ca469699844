// Stopping and starting the print spooler service ("Spooler"). Each routine opens the service
// control manager and the service, issues its request, waits until the service has left the
// request's pending state and closes what it opened. Progress and failures go to standard output
// as fixed diagnostic lines; nothing is shown to the user.
#pragma once

// Attempts to open the service while it is missing (or cannot be opened for another reason
// than lack of rights or an invalid name), and status queries while it reports its pending state
// with a pause between them: together they bound both routines.
constexpr int kMaxOpenAttempts = 10;
constexpr int kMaxStatusPolls = 600;
constexpr unsigned kStatusPollPauseMs = 50;  // 600 polls: 30 seconds at most

// True when the spooler was started or already ran and is no longer start-pending.
bool StartSpoolerService();
// True when the stop request succeeded and the spooler is no longer stop-pending; any refusal of
// the request (a spooler already stopped included) gives false.
bool StopSpoolerService();
