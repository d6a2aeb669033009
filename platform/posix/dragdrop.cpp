// POSIX: OLE drag and drop does not exist.
#include "real_parts.h"
#include "unavailable.h"

namespace platform {

DragDrop& RealDragDrop() {
  static UnavailableDragDrop dragDrop;
  return dragDrop;
}

}  // namespace platform
