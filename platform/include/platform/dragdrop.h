#pragma once
// OLE drag and drop of a dropped-files block onto a window. POSIX: not available.
#include <string>
#include <vector>

namespace platform {

enum class DropResult { NotAvailable, Dropped, Cancelled, Failed };

class DragDrop {
 public:
  virtual ~DragDrop() = default;
  // Drops the files (a wide dropped-files block) at the current cursor position.
  virtual DropResult DropFiles(const std::vector<std::u16string>& files) = 0;
};

}  // namespace platform
