// Debug assertions: checks of programming errors, active in debug builds only (NDEBUG not defined).
#pragma once

// Reports the failed check on standard error and ends the program.
[[noreturn]] void AfxAssertFailed(const char* file, int line, const char* expression);

#ifdef NDEBUG
#define ASSERT(f) ((void)sizeof(!(f)))  // not evaluated; keeps what it names in use
#else
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailed(__FILE__, __LINE__, #f))
#endif
