// Linked into the window tests of the ThreadSanitizer build only. Qt as the
// system ships it is not instrumented, so what orders a call queued with
// QMetaObject::invokeMethod is invisible to the sanitizer: the lock of the
// posted-event queue between the thread that queues the call and the one
// that runs it, and the atomic count by which the last of the two frees
// it. Everything such a call carries would look raced. This tells the
// sanitizer of that order and of nothing else.
#include <dlfcn.h>
#include <sanitizer/tsan_interface.h>

#include <QObject>

namespace {

constexpr char kInvokeMethodImpl[] =
    "_ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14ConnectionTypeEPv";
constexpr char kQtVersion[] = "Qt_6";

using InvokeMethodImpl = bool (*)(QObject*, QtPrivate::QSlotObjectBase*, Qt::ConnectionType, void*);

// The call that Qt is handed in place of the program's: what the program's
// thread did before queueing it happens before the call, and the call
// happens before it is freed, on whichever thread lets go of it last.
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
