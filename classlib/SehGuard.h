// Structured exceptions (access violations, or a foreign runtime's exception raised with RaiseException)
// turned into something our C++ code can handle. GCC on i686 unwinds C++ exceptions from its own tables
// and never sees a structured one, and it has no __try: this unit is the one place that registers a
// structured-exception frame by hand.
#pragma once

#include <windows.h>

#include <exception>
#include <tuple>
#include <type_traits>
#include <utility>

// Runs body(context) inside a structured-exception frame of its own. Returns 0 when body returned, or the
// code of the structured exception that ended it. In that case every frame inside has been unwound the
// structured way: their structured handlers ran, but no C++ destructor did. So body must be a frame that
// owns nothing, such as a call into a foreign library; a fault in our own code ends up here only as a
// last resort. Exceptions that a frame inside handles itself (a host catching its own) never reach us.
DWORD CallWithSehFrame(void (*body)(void* context), void* context);

// A structured exception as a C++ exception, thrown where the guarded call was made.
class EStructuredException : public std::exception {
 public:
  explicit EStructuredException(DWORD code, const char* where = nullptr);
  DWORD Code() const { return FCode; }
  const char* what() const noexcept override { return FText; }

 private:
  DWORD FCode;
  char FText[160];
};

// What a code means to a reader of an error message ("access violation", ...).
const char* StructuredExceptionName(DWORD code);

// Calls fn(args...) inside a structured-exception frame; a structured exception raised inside becomes an
// EStructuredException thrown from here, so ordinary C++ unwinding takes it on from the caller's frame.
// Only the plain call runs inside the frame: no object of ours lives there.
template <class Fn, class... Args>
auto CallGuarded(const char* where, Fn fn, Args... args) {
  using Result = decltype(fn(args...));
  struct Call {
    Fn fn;
    std::tuple<Args...> args;
    std::conditional_t<std::is_void_v<Result>, char, Result> result{};
    static void Run(void* self) {
      auto* call = static_cast<Call*>(self);
      if constexpr (std::is_void_v<Result>)
        std::apply(call->fn, call->args);
      else
        call->result = std::apply(call->fn, call->args);
    }
  } call{fn, std::tuple<Args...>(args...)};
  if (DWORD code = CallWithSehFrame(&Call::Run, &call)) throw EStructuredException(code, where);
  if constexpr (!std::is_void_v<Result>) return call.result;
}
