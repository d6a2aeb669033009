#pragma once
// OLE initialised on the calling thread for one scope, and uninitialised on every way out of it.
#include "platform/automation.h"

namespace encoder {

class OleSession {
 public:
  explicit OleSession(platform::Automation& automation)
      : automation_(automation), initialized_(automation.InitializeOle()) {}
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  ~OleSession() {
    if (initialized_) automation_.UninitializeOle();
  }

  bool Initialized() const { return initialized_; }

 private:
  platform::Automation& automation_;
  bool initialized_;
};

}  // namespace encoder
