// Grid of the parameter block: column 0 labels, columns 1 and 2 the even and
// odd bytes of each pair.
#include "ui/table_window.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>

#include "params/cell_value.h"
#include "ui/label_cell_delegate.h"
#include "ui_table_window.h"

namespace {

// The cells a fresh device's block holds (62 MHz at full level); all
// others are 00.
struct DefaultCell {
  int column;
  int row;
  const char* text;
};
constexpr DefaultCell kDefaultCells[] = {
    {2, 2, "01"},  {1, 4, "08"},  {2, 4, "20"},  {1, 5, "02"},  {2, 5, "84"},
    {1, 6, "38"},  {2, 6, "C1"},  {1, 7, "40"},  {2, 7, "03"},  {2, 9, "FF"},
    {1, 10, "0E"}, {2, 10, "40"}, {1, 11, "80"}, {2, 12, "12"}, {1, 13, "5E"},
    {2, 13, "D0"}, {1, 14, "98"}};

constexpr char kNoByteText[] = "00";
constexpr int kGridFontPixelSize = 10;
// A byte the device holds otherwise than it was written.
const QColor kMarkedCellColour(0xFF, 0xB0, 0xB0);

}  // namespace

QString ByteText(std::uint8_t byte) { return QString::fromStdString(zelvane::CellText(byte)); }

TTableIF::TTableIF(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ui_(std::make_unique<Ui::TTableIF>()) {
  ui_->setupUi(this);
  setAttribute(Qt::WA_QuitOnClose, false);
  QTableWidget* grid = ui_->StringGrid1;
  QFont gridFont(QStringLiteral("MS Sans Serif"));
  gridFont.setStyleHint(QFont::SansSerif);
  gridFont.setPixelSize(kGridFontPixelSize);
  grid->setFont(gridFont);
  grid->setTextElideMode(Qt::ElideNone);
  grid->setItemDelegateForColumn(0, new LabelCellDelegate(grid));
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  QPalette colours = grid->palette();
  colours.setColor(QPalette::Base, colours.color(QPalette::ToolTipBase));
  grid->setPalette(colours);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      auto* item = new QTableWidgetItem();
      if (column == 0) {
        // The label column is fixed: not editable, drawn like a header.
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(palette().button());
      }
      grid->setItem(row, column, item);
    }
  }
  SetLabels();
}

TTableIF::~TTableIF() = default;

QTableWidget* TTableIF::Grid() const { return ui_->StringGrid1; }

void TTableIF::SetLabels() {
  for (int row = 0; row < kRows; ++row) {
    SetCell(0, row, QStringLiteral("Bt %1,%2").arg(2 * row).arg(2 * row + 1));
  }
}

// A byte cell is announced by its value; its description says which byte
// it is and, while it is marked, what the mark reports.
void TTableIF::SetAccessibleNames(const QString& gridName, const QString& cellName) {
  ui_->StringGrid1->setAccessibleName(gridName);
  cellName_ = cellName;
  for (std::size_t index = 0; index < zelvane::kBlockSize; ++index) DescribeByte(index);
}

void TTableIF::DescribeByte(std::size_t index) {
  QStringList description;
  if (!cellName_.isEmpty()) description << cellName_.arg(static_cast<qulonglong>(index));
  if (!reports_[index].isEmpty()) description << reports_[index];
  ByteItem(index)->setData(Qt::AccessibleDescriptionRole, description.join(QLatin1Char('\n')));
}

QTableWidgetItem* TTableIF::ByteItem(std::size_t index) const {
  const int row = static_cast<int>(index / 2);
  return ui_->StringGrid1->item(row, static_cast<int>(index % 2) + 1);
}

void TTableIF::MarkByte(std::size_t index, const QString& report) {
  ByteItem(index)->setBackground(kMarkedCellColour);
  reports_[index] = report;
  DescribeByte(index);
}

void TTableIF::ClearMarks() {
  for (std::size_t index = 0; index < zelvane::kBlockSize; ++index) {
    ByteItem(index)->setData(Qt::BackgroundRole, QVariant());
    reports_[index].clear();
    DescribeByte(index);
  }
}

bool TTableIF::Marked(std::size_t index) const {
  return ByteItem(index)->data(Qt::BackgroundRole).isValid();
}

void TTableIF::FillGrid() {
  ClearMarks();
  SetLabels();
  if (block_ == nullptr) return;
  for (int row = 0; row < kRows; ++row) {
    for (int column = 1; column < kColumns; ++column) {
      const std::size_t index = BlockByteOf(column, row);
      SetCell(column, row, index < block_->size() ? ByteText((*block_)[index]) : kNoByteText);
    }
  }
}

void TTableIF::LoadDefaultCells() {
  for (int row = 0; row < kRows; ++row) {
    for (int column = 1; column < kColumns; ++column) SetCell(column, row, kNoByteText);
  }
  for (const DefaultCell& cell : kDefaultCells) SetCell(cell.column, cell.row, cell.text);
}

QString TTableIF::Cell(int column, int row) const {
  return ui_->StringGrid1->item(row, column)->text();
}

void TTableIF::SetCell(int column, int row, const QString& text) {
  ui_->StringGrid1->item(row, column)->setText(text);
}
