// Linked into the window tests of the ThreadSanitizer build only. Qt as the
// system ships it is not instrumented, so what orders a queued call is
// invisible to the sanitizer: the lock of the posted-event queue between
// the thread that queues the call and the one that runs it, and for a
// functor queued with QMetaObject::invokeMethod the atomic count by which
// the last of the two frees it; and what a QThread ran before its wait()
// returns. Everything such a call carries would look raced. This tells
// the sanitizer of that order and of nothing else.
#include <dlfcn.h>
#include <sanitizer/tsan_interface.h>

#include <QObject>
#include <QThread>
#include <mutex>

extern "C" void AnnotateIgnoreSyncBegin(const char* file, int line);
extern "C" void AnnotateIgnoreSyncEnd(const char* file, int line);

namespace {

constexpr char kInvokeMethodImpl[] =
    "_ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14ConnectionTypeEPv";
constexpr char kActivate[] = "_ZN11QMetaObject8activateEP7QObjectPKS_iPPv";
constexpr char kWait[] = "_ZN7QThread4waitE14QDeadlineTimer";
constexpr char kQtVersion[] = "Qt_6";

using InvokeMethodImpl = bool (*)(QObject*, QtPrivate::QSlotObjectBase*, Qt::ConnectionType, void*);
using Activate = void (*)(QObject*, const QMetaObject*, int, void**);
using Wait = bool (*)(QThread*, QDeadlineTimer);

// Stands for the posted-event queue of `thread`, and for what the calls
// queued to it have done once it has ended.
void* QueueOf(QThread* thread) { return thread; }

// Held while a signal is emitted on a thread other than its sender's, whose
// arguments Qt copies into the event it posts: a delivery waits for the
// emission to have ended. The sanitizer is not shown this lock, so that it
// orders nothing beyond the queue itself.
std::mutex emitting;

void LockUnseen() {
  AnnotateIgnoreSyncBegin(__FILE__, __LINE__);
  emitting.lock();
  AnnotateIgnoreSyncEnd(__FILE__, __LINE__);
}

void UnlockUnseen() {
  AnnotateIgnoreSyncBegin(__FILE__, __LINE__);
  emitting.unlock();
  AnnotateIgnoreSyncEnd(__FILE__, __LINE__);
}

// Every event that a thread delivers comes after what was queued to it.
bool AcquireQueue(void** notification) {
  QThread* thread = static_cast<QObject*>(notification[0])->thread();
  LockUnseen();
  __tsan_acquire(QueueOf(thread));
  UnlockUnseen();
  return false;  // the event goes on to its receiver as usual
}

[[maybe_unused]] const bool acquiring =
    QInternal::registerCallback(QInternal::EventNotifyCallback, AcquireQueue);

// The call that Qt is handed in place of the program's: what the program's
// thread did before queueing it happens before the call, and the call
// happens before it is freed, on whichever thread lets go of it last, and
// before a wait for its thread's end returns.
class OrderedCall : public QtPrivate::QSlotObjectBase {
 public:
  explicit OrderedCall(QtPrivate::QSlotObjectBase* call) : QSlotObjectBase(&Impl), call_(call) {
    __tsan_release(this);
  }

 private:
  static void Impl(int operation, QSlotObjectBase* self, QObject* receiver, void** args, bool* ret) {
    auto* ordered = static_cast<OrderedCall*>(self);
    __tsan_acquire(ordered);
    switch (operation) {
      case Call:
        ordered->call_->call(receiver, args);
        __tsan_release(ordered);
        __tsan_release(QueueOf(QThread::currentThread()));
        break;
      case Compare:
        *ret = ordered->call_->compare(args);
        break;
      case Destroy:
        ordered->call_->destroyIfLastRef();
        delete ordered;
        break;
    }
  }

  QtPrivate::QSlotObjectBase* call_;
};

}  // namespace

// Each functor that the program queues with QMetaObject::invokeMethod passes
// here on its way to Qt's own.
bool QMetaObject::invokeMethodImpl(QObject* object, QtPrivate::QSlotObjectBase* slot,
                                   Qt::ConnectionType type, void* ret) {
  static const auto qtInvokeMethodImpl =
      reinterpret_cast<InvokeMethodImpl>(dlvsym(RTLD_NEXT, kInvokeMethodImpl, kQtVersion));
  return qtInvokeMethodImpl(object, new OrderedCall(slot), type, ret);
}

// Each signal that the program emits passes here on its way to Qt's own;
// one emitted on another thread than its sender's is queued to the
// sender's thread, where its receivers live.
void QMetaObject::activate(QObject* sender, const QMetaObject* meta, int signal, void** args) {
  static const auto qtActivate = reinterpret_cast<Activate>(dlvsym(RTLD_NEXT, kActivate, kQtVersion));
  QThread* queue = sender->thread();
  if (queue == QThread::currentThread()) {
    qtActivate(sender, meta, signal, args);
    return;
  }
  LockUnseen();
  qtActivate(sender, meta, signal, args);
  __tsan_release(QueueOf(queue));
  UnlockUnseen();
}

// A thread that has ended has done all its calls.
bool QThread::wait(QDeadlineTimer deadline) {
  static const auto qtWait = reinterpret_cast<Wait>(dlvsym(RTLD_NEXT, kWait, kQtVersion));
  const bool ended = qtWait(this, deadline);
  if (ended) __tsan_acquire(QueueOf(this));
  return ended;
}
