// Windows: a frame-based structured exception handler around the guarded call; pages probed with VirtualQuery.
#include <windows.h>

#include "platform/processor_faults.h"
#include "processor_faults_os.h"

// Why a frame-based handler and not a vectored one: the system offers a fault to the vectored handlers
// before any frame's, so one would also take the faults that code inside the call expects and handles
// itself (the system's own probes, such as IsBadReadPtr). A handler in the guard's own frame is asked
// only once every frame inside it has declined, as an __except block would be. mingw has no __try, so the
// frame is made by hand: on x86_64 a small routine whose unwind data names the handler, on i686 a
// registration record pushed on the thread's handler chain.

namespace {

// Faults of the processor, not exceptions raised by software (C++ throws, debugger events). A stack
// overflow is left alone: its handler would run on the last page of the stack, and the guard page
// would be gone afterwards.
bool IsCaughtFault(DWORD code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_STACK_CHECK:
    case EXCEPTION_FLT_UNDERFLOW:
      return true;
    default:
      return false;
  }
}

}  // namespace

#if defined(__x86_64__)

extern "C" {
// Calls call(context) and returns 1, or 0 when VorlaneFaultFrameHandler took a fault inside it.
int VorlaneGuardedCall(void (*call)(void*), void* context);
// Where a caught fault resumes: the guarded routine's own frame, returning 0.
void VorlaneGuardedCallFaulted();
EXCEPTION_DISPOSITION VorlaneFaultFrameHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT* context,
                                               DISPATCHER_CONTEXT* dispatch);
}

// The routine's unwind data names VorlaneFaultFrameHandler as the handler of its frame. 40 bytes keep
// the stack aligned and give the callee its 32 bytes of home space.
asm(R"(
    .text
    .p2align 4
    .def VorlaneGuardedCall; .scl 3; .type 32; .endef
    .seh_proc VorlaneGuardedCall
VorlaneGuardedCall:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    .seh_handler VorlaneFaultFrameHandler, @except
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    movl $1, %eax
    addq $40, %rsp
    ret
VorlaneGuardedCallFaulted:
    xorl %eax, %eax
    addq $40, %rsp
    ret
    .seh_endproc
)");

extern "C" EXCEPTION_DISPOSITION VorlaneFaultFrameHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT*,
                                                          DISPATCHER_CONTEXT* dispatch) {
  if (IS_UNWINDING(record->ExceptionFlags) || !IsCaughtFault(record->ExceptionCode)) {
    return ExceptionContinueSearch;
  }
  // Unwinds the frames inside the guard and resumes in the guard's frame, as an __except block does.
  RtlUnwindEx(frame, reinterpret_cast<void*>(&VorlaneGuardedCallFaulted), record, nullptr, dispatch->ContextRecord,
              dispatch->HistoryTable);
  return ExceptionContinueSearch;  // not reached
}

namespace platform {

bool RunCatchingProcessorFaults(void (*call)(void*), void* context) noexcept {
  return VorlaneGuardedCall(call, context) != 0;
}

}  // namespace platform

#elif defined(__i386__)

namespace {

// The registration record comes first: the system hands its address to the handler.
struct GuardFrame {
  EXCEPTION_REGISTRATION_RECORD link;
  void* resume[5];  // __builtin_setjmp's buffer
};

EXCEPTION_REGISTRATION_RECORD* HandlerChain() {
  EXCEPTION_REGISTRATION_RECORD* head;
  asm volatile("movl %%fs:0, %0" : "=r"(head) : : "memory");
  return head;
}

void SetHandlerChain(EXCEPTION_REGISTRATION_RECORD* head) { asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }

EXCEPTION_DISPOSITION NTAPI FaultFrameHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT*, void*) {
  if (IS_UNWINDING(record->ExceptionFlags) || !IsCaughtFault(record->ExceptionCode)) {
    return ExceptionContinueSearch;
  }
  // Lets the frames registered inside the guard unwind and leaves the guard's record at the head of the
  // chain; then back into the guard's frame. No msvcrt longjmp: it would read the host's records.
  RtlUnwind(frame, nullptr, record, nullptr);
  __builtin_longjmp(static_cast<GuardFrame*>(frame)->resume, 1);
}

}  // namespace

namespace platform {

bool RunCatchingProcessorFaults(void (*call)(void*), void* context) noexcept {
  GuardFrame guard{};
  guard.link.Next = HandlerChain();
  guard.link.Handler = &FaultFrameHandler;
  if (__builtin_setjmp(guard.resume) != 0) {
    SetHandlerChain(guard.link.Next);
    return false;
  }
  SetHandlerChain(&guard.link);
  // A C++ exception leaving `call` would skip the unlinking below and leave a dead record on the chain.
  call(context);
  SetHandlerChain(guard.link.Next);
  return true;
}

}  // namespace platform

#else
#error "a fault guard for this processor is missing"
#endif

namespace platform {

bool CatchesProcessorFaults() { return true; }

std::size_t detail::PageBytes() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwPageSize;
}

// A page whose first touch would raise a guard-page exception counts as unreadable.
bool detail::PageReadable(const void* address) {
  MEMORY_BASIC_INFORMATION info;
  if (VirtualQuery(address, &info, sizeof info) != sizeof info || info.State != MEM_COMMIT) return false;
  if ((info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0) return false;
  constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                              PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  return (info.Protect & kReadable) != 0;
}

}  // namespace platform
