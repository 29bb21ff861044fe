// GoogleTest 1.12's Notification is built on std::mutex, which GCC 12's win32
// thread model does not have; given here on a Win32 event instead, and handed
// to GoogleTest through GTEST_HAS_NOTIFICATION_ (cmake/windows.cmake).
#ifndef LORIMAX_TESTS_GTEST_NOTIFICATION_H
#define LORIMAX_TESTS_GTEST_NOTIFICATION_H

#include <windows.h>

namespace testing::internal {

class Notification {
 public:
  Notification() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal

#endif
