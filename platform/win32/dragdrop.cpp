// Windows: drag and drop onto another program's window arrives with the encoder hand-off; until then it
// reports that it is not available.
#include "real_parts.h"
#include "unavailable.h"

namespace platform {

DragDrop& RealDragDrop() {
  static UnavailableDragDrop dragDrop;
  return dragDrop;
}

}  // namespace platform
