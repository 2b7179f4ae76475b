#pragma once
// The common part of the JPEG compressor and decompressor: libjpeg's error manager and
// progress monitor, warnings, progress events and aborting.
//
// libjpeg reports errors by calling its error exit, which must not return. Ours jumps back
// (longjmp) to the last `Protect` call, which resets the library and throws EJPEGError from
// plain C++ code; no C++ exception ever travels through libjpeg's C frames. Every call into
// libjpeg that can fail goes through `Protect`, and the frame holding the jump target holds
// nothing with a destructor. Our own callbacks (stream managers, marker processors, events)
// catch every exception and hand it back to `Protect` the same way.
#include <csetjmp>
#include <cstdio>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <type_traits>

#include <jerror.h>
#include <jpeglib.h>

// Accessors Getcinfo<field> and Setcinfo<field> of a libjpeg structure field: they read and
// write the field of the embedded structure cinfo_ and do nothing else.
#define TAV_JPEG_FIELD(Struct, field)                   \
  decltype(Struct::field) Getcinfo##field() const {     \
    return cinfo_.field;                                \
  }                                                     \
  void Setcinfo##field(decltype(Struct::field) value) { \
    cinfo_.field = value;                               \
  }

namespace tav {

// A libjpeg error or a failure of the picture classes, with its message.
class EJPEGError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TJPEGBase {
 public:
  using TNotifyEvent = std::function<void(TJPEGBase& sender)>;
  using TWarningEvent = std::function<void(const std::string& warningMessage)>;

  virtual ~TJPEGBase() = default;
  TJPEGBase(const TJPEGBase&) = delete;
  TJPEGBase& operator=(const TJPEGBase&) = delete;

  // Warnings libjpeg gave for the current (or last) picture.
  int GetWarnings() const { return static_cast<int>(jerr_.num_warnings); }
  int GetTraceLevel() const { return jerr_.trace_level; }
  void SetTraceLevel(int level) { jerr_.trace_level = level; }
  // Progress of the running conversion in percent (0 before it starts).
  int PercentDone() const;

  // Stops the running conversion. Called from OnProgressReport it only asks the row loop to
  // stop ("User Interrupt"); otherwise it resets the library at once.
  virtual void Abort();

  TNotifyEvent OnProgressReport;
  TWarningEvent OnWarning;

 protected:
  TJPEGBase();

  // Creates the embedded libjpeg object; subclasses call it from their constructors.
  virtual void CreateJPEGObject() = 0;
  // Points the base at the libjpeg object (before creating it: creation keeps these fields)
  // and, once it is created, gives it the progress monitor.
  void AttachJPEGObject(j_common_ptr object);
  void AttachProgress();

  // libjpeg's error exit: keeps the message and jumps back to `Protect`.
  [[noreturn]] virtual void Error();
  // libjpeg's message output: level < 0 warnings, level >= 0 trace messages.
  virtual void Warning(int level);
  virtual void DoProgress();

  // Runs `step`, which calls libjpeg and holds nothing with a destructor. A libjpeg error (or an
  // exception one of our callbacks raised meanwhile) resets the library and is thrown here.
  template <class F>
  void Protect(F&& step) {
    using Step = std::remove_reference_t<F>;
    if (!Run([](void* s) { (*static_cast<Step*>(s))(); }, &step)) RaiseFailure();
  }

  // Thrown by our own callback code to raise a libjpeg error by its message code.
  struct LibraryFault {
    int code;
  };
  // Runs callback code `f`, keeping any exception. Returns 0, the code of a LibraryFault, or -1
  // for any other exception (kept for Protect to pass on).
  template <class F>
  int Shield(F&& f) noexcept {
    try {
      f();
      return 0;
    } catch (const LibraryFault& fault) {
      return fault.code;
    } catch (...) {
      pending_ = std::current_exception();
      return -1;
    }
  }
  // Leaves the library from a callback after Shield failed: through the error exit for a libjpeg
  // code, straight back to Protect otherwise. Call it with nothing alive that has a destructor.
  [[noreturn]] void Bail(int code);

  // Gives libjpeg's warning `code` (a JWRN_ message) from our own code.
  void EmitWarning(int code);
  // Ends a row loop when Abort was asked for from the progress event.
  void CheckAbortRequest();
  void ClearAbortRequest() { abortRequested_ = false; }
  // The progress report after a finished row loop (100 percent).
  void FinalProgress();

  j_common_ptr jpegObject_ = nullptr;

 private:
  bool Run(void (*step)(void*), void* data) noexcept;
  [[noreturn]] void RaiseFailure();

  static void ErrorExit(j_common_ptr cinfo);
  static void EmitMessage(j_common_ptr cinfo, int level);
  static void ProgressMonitor(j_common_ptr cinfo);

  bool aborting_ = false;
  bool inProgressReport_ = false;
  bool abortRequested_ = false;
  jpeg_error_mgr jerr_{};
  jpeg_progress_mgr progress_{};
  std::jmp_buf* jump_ = nullptr;
  char errorText_[JMSG_LENGTH_MAX] = {};
  std::exception_ptr pending_;
};

}  // namespace tav
