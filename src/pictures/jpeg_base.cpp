#include "pictures/jpeg_base.h"

#include <cmath>
#include <cstdlib>
#include <new>
#include <utility>

namespace tav {

namespace {

TJPEGBase* Owner(j_common_ptr cinfo) {
  return static_cast<TJPEGBase*>(cinfo->client_data);
}

}  // namespace

TJPEGBase::TJPEGBase() {
  jpeg_std_error(&jerr_);
  jerr_.error_exit = &ErrorExit;
  jerr_.emit_message = &EmitMessage;
  progress_.progress_monitor = &ProgressMonitor;
}

void TJPEGBase::AttachJPEGObject(j_common_ptr object) {
  jpegObject_ = object;
  object->client_data = this;
  object->err = &jerr_;
}

void TJPEGBase::AttachProgress() {
  jpegObject_->progress = &progress_;
}

int TJPEGBase::PercentDone() const {
  if (progress_.total_passes <= 0) return 0;
  double pass = progress_.pass_limit > 0
                    ? static_cast<double>(progress_.pass_counter) / progress_.pass_limit
                    : 0.0;
  return static_cast<int>(
      std::lround((pass + progress_.completed_passes) / progress_.total_passes * 100.0));
}

// The frame of the jump target: nothing here has a destructor.
bool TJPEGBase::Run(void (*step)(void*), void* data) noexcept {
  std::jmp_buf target;
  std::jmp_buf* outer = jump_;
  jump_ = &target;
  if (setjmp(target) != 0) {
    jump_ = outer;
    return false;
  }
  step(data);
  jump_ = outer;
  return true;
}

void TJPEGBase::RaiseFailure() {
  std::exception_ptr pending = std::exchange(pending_, nullptr);
  bool outOfMemory = jerr_.msg_code == JERR_OUT_OF_MEMORY && !pending;
  std::string message = errorText_;
  errorText_[0] = 0;
  inProgressReport_ = false;
  Abort();
  if (pending) std::rethrow_exception(pending);
  if (outOfMemory) throw std::bad_alloc();
  throw EJPEGError(message);
}

void TJPEGBase::Error() {
  if (!aborting_) jerr_.format_message(jpegObject_, errorText_);
  if (!jump_) {
    // Only a call into libjpeg outside Protect gets here: a fault of this class.
    std::fputs("libjpeg error outside a protected call\n", stderr);
    std::abort();
  }
  std::longjmp(*jump_, 1);
}

void TJPEGBase::Warning(int level) {
  if (level < 0) {
    if (jerr_.num_warnings == 0 || jerr_.trace_level >= 3) {
      char text[JMSG_LENGTH_MAX];
      jerr_.format_message(jpegObject_, text);
      if (OnWarning) OnWarning(text);
    }
    ++jerr_.num_warnings;
  } else if (jerr_.trace_level >= level) {
    char text[JMSG_LENGTH_MAX];
    jerr_.format_message(jpegObject_, text);
    if (OnWarning) OnWarning(text);
  }
}

void TJPEGBase::DoProgress() {
  if (!OnProgressReport) return;
  inProgressReport_ = true;
  try {
    OnProgressReport(*this);
  } catch (...) {
    inProgressReport_ = false;
    throw;
  }
  inProgressReport_ = false;
}

void TJPEGBase::Abort() {
  if (inProgressReport_) {
    abortRequested_ = true;
    return;
  }
  abortRequested_ = false;
  if (!jpegObject_ || aborting_) return;
  aborting_ = true;
  // An error while aborting is of no interest.
  j_common_ptr object = jpegObject_;
  Run([](void* o) { jpeg_abort(static_cast<j_common_ptr>(o)); }, object);
  pending_ = nullptr;
  aborting_ = false;
}

void TJPEGBase::Bail(int code) {
  if (code > 0) {
    jerr_.msg_code = code;
    Error();
  }
  std::longjmp(*jump_, 1);
}

void TJPEGBase::EmitWarning(int code) {
  jerr_.msg_code = code;
  Warning(-1);
}

void TJPEGBase::CheckAbortRequest() {
  if (!abortRequested_) return;
  Abort();
  throw EJPEGError("User Interrupt");
}

void TJPEGBase::FinalProgress() {
  progress_.pass_counter = 0;
  progress_.completed_passes = progress_.total_passes;
  try {
    DoProgress();
  } catch (...) {
    Abort();
    throw;
  }
}

void TJPEGBase::ErrorExit(j_common_ptr cinfo) {
  Owner(cinfo)->Error();
}

void TJPEGBase::EmitMessage(j_common_ptr cinfo, int level) {
  TJPEGBase* self = Owner(cinfo);
  if (int failure = self->Shield([self, level] { self->Warning(level); })) self->Bail(failure);
}

void TJPEGBase::ProgressMonitor(j_common_ptr cinfo) {
  TJPEGBase* self = Owner(cinfo);
  if (int failure = self->Shield([self] { self->DoProgress(); })) self->Bail(failure);
}

}  // namespace tav
