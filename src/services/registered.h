#pragma once
// The one implementer of an interface that a lower floor declares and a higher floor provides
// (docs/architecture.md, Floors). The implementer enters in its constructor and leaves in its
// destructor; a caller checks for null, since the higher window may not exist (in tests, say).
// `Tag` tells apart several implementers of one interface.
namespace tav {

template <class Interface, auto Tag = 0>
class Registered {
 public:
  static Interface* Get() { return current_; }
  static void Enter(Interface* implementer) { current_ = implementer; }
  static void Leave(Interface* implementer) {
    if (current_ == implementer) current_ = nullptr;
  }

 private:
  static inline Interface* current_ = nullptr;
};

}  // namespace tav
