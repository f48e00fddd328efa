// The register table window: every byte of the parameter block as a hex
// cell. Its cells are what the next write sends.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <memory>

#include "params/param_block.h"

namespace Ui {
class TTableIF;
}

class QTableWidget;
class QTableWidgetItem;

class TTableIF : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kColumns = 3;
  static constexpr int kRows = 15;
  static constexpr int kLevelColumn = 2;
  static constexpr int kLevelRow = 9;

  explicit TTableIF(QWidget* parent = nullptr);
  ~TTableIF() override;

  // The block the grid shows; the main window's, never owned here.
  void SetBlock(const zelvane::ParamBlock* block) { block_ = block; }
  void FillGrid();
  void LoadDefaultCells();

  // The block byte that cell (column, row) holds; kBlockSize for column 2
  // of the last row, which holds none.
  static std::size_t BlockByteOf(int column, int row) {
    return static_cast<std::size_t>(2 * row + column - 1);
  }

  // The grid's name, and which byte each byte cell is: `cellName` with %1
  // its offset.
  void SetAccessibleNames(const QString& gridName, const QString& cellName);

  // Marks the cell of block byte `index` (a colour, and `report` for
  // assistive technology) until the next fill or ClearMarks.
  void MarkByte(std::size_t index, const QString& report);
  void ClearMarks();
  bool Marked(std::size_t index) const;

  QString Cell(int column, int row) const;
  void SetCell(int column, int row, const QString& text);

  QTableWidget* Grid() const;

 private:
  void SetLabels();
  QTableWidgetItem* ByteItem(std::size_t index) const;
  void DescribeByte(std::size_t index);

  std::unique_ptr<Ui::TTableIF> ui_;
  const zelvane::ParamBlock* block_ = nullptr;
  QString cellName_;
  // What each byte's mark reports; empty where it has none.
  std::array<QString, zelvane::kBlockSize> reports_;
};

// Two upper-case hex digits, the form of every byte shown to the user.
QString ByteText(std::uint8_t byte);
