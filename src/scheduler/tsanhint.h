#pragma once
// Qt is not built with ThreadSanitizer, so the order its own locks give (an event is
// posted before it is handled; a thread's work ends before wait() returns) is invisible
// to the sanitizer. These hints state that order in sanitizer builds; otherwise they
// are nothing.

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void *addr);
extern "C" void __tsan_release(void *addr);
inline void Orden_Antes(void *rMarca) { __tsan_release(rMarca); }
inline void Orden_Despues(void *rMarca) { __tsan_acquire(rMarca); }
#else
inline void Orden_Antes(void *) {}
inline void Orden_Despues(void *) {}
#endif
