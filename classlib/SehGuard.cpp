// How the frame works. Windows finds structured-exception handlers through a chain of registration
// records on the stack, headed by fs:[0]; each record names the next one and a handler. CallWithSehFrame
// puts a record of its own at the head, with a landing point saved by __builtin_setjmp, and runs the
// body. When something inside raises, the system asks the handlers innermost first: a frame inside that
// handles the exception itself (a host catching its own) keeps it, and we never hear of it. When it
// reaches ours, the handler first lets the system unwind every frame inside ours (RtlUnwind calls their
// handlers with the unwinding flag and leaves our record at the head of the chain), then jumps back to
// the landing point with __builtin_longjmp, which restores the stack and frame pointers of
// CallWithSehFrame. There the record is taken off the chain and the code is answered.
//
// Wine does the same for its own code on i386 (its __TRY/__EXCEPT macros); so does the Microsoft
// compiler's __try, with a table of scopes in place of the saved landing point.
#include "SehGuard.h"

#include <cctype>
#include <cstdio>

#if defined(__i386__)
namespace {

// The registration record must come first: the system hands its address back to the handler.
struct TGuardFrame {
  TGuardFrame* Next;
  void* Handler;
  void* Landing[5];  // __builtin_setjmp's buffer
  volatile DWORD Code;
};

// fs:[0] is the head of the thread's chain of registration records.
TGuardFrame* ChainHead() {
  TGuardFrame* head;
  asm volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

void SetChainHead(TGuardFrame* head) {
  asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory");
}

EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* establisher, CONTEXT*, void*) {
  // Called a second time while the frames are unwound: nothing to do then.
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
  auto* volatile frame = static_cast<TGuardFrame*>(establisher);
  frame->Code = record->ExceptionCode;
  RtlUnwind(frame, nullptr, record, nullptr);
  __builtin_longjmp(frame->Landing, 1);
}

}  // namespace

__attribute__((noinline)) DWORD CallWithSehFrame(void (*body)(void*), void* context) {
  TGuardFrame frame;
  frame.Code = 0;
  frame.Handler = reinterpret_cast<void*>(&GuardHandler);
  frame.Next = ChainHead();
  if (__builtin_setjmp(frame.Landing) == 0) {
    SetChainHead(&frame);
    body(context);
  }
  SetChainHead(frame.Next);
  return frame.Code;
}

#elif defined(__x86_64__)
// x86-64 keeps no chain: the system finds handlers in each function's unwind table. The frame below is
// a scope in CallWithSehFrame's own table (the one the Microsoft compiler writes for __try), handled by
// the C runtime's scope handler: when an exception reaches the scope, the filter keeps its code and the
// handler unwinds every frame inside (their cleanups run) and resumes at the scope's end, just after the
// call, as if body had returned. C++ exceptions of our own compiler travel the same way and pass on.
namespace {
thread_local volatile DWORD GuardCode;
}

extern "C" LONG QuillonGuardFilter(EXCEPTION_POINTERS* pointers, void*) {
  const DWORD code = pointers->ExceptionRecord->ExceptionCode;
  if (code == 0x20474343) return EXCEPTION_CONTINUE_SEARCH;  // a C++ throw of ours: not ours to stop
  GuardCode = code;
  return EXCEPTION_EXECUTE_HANDLER;
}

__attribute__((noinline)) DWORD CallWithSehFrame(void (*body)(void*), void* context) {
  GuardCode = 0;
  asm volatile(
      ".l_guard_start:\n"
      "\t.seh_handler __C_specific_handler, @except\n"
      "\t.seh_handlerdata\n"
      "\t.long 1\n"
      "\t.rva .l_guard_start, .l_guard_end, QuillonGuardFilter, .l_guard_end\n"
      "\t.text\n" ::
          : "memory");
  body(context);
  asm volatile("\tnop\n.l_guard_end:\tnop\n" ::: "memory");
  const DWORD code = GuardCode;
  GuardCode = 0;
  return code;
}
#endif

const char* StructuredExceptionName(DWORD code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
      return "access violation";
    case EXCEPTION_STACK_OVERFLOW:
      return "stack overflow";
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
      return "division by zero";
    case EXCEPTION_ILLEGAL_INSTRUCTION:
      return "illegal instruction";
    case 0xE06D7363:
      return "C++ exception of another compiler";
    default:
      return "exception";
  }
}

EStructuredException::EStructuredException(DWORD code, const char* where) : FCode(code) {
  snprintf(FText, sizeof FText, "%s (0x%08lX)%s%s", StructuredExceptionName(code),
           static_cast<unsigned long>(code), where ? " in " : "", where ? where : "");
  FText[0] = static_cast<char>(toupper(static_cast<unsigned char>(FText[0])));
}
