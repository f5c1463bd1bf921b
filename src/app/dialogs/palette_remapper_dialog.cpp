#include "app/dialogs/palette_remapper_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <bit>

#include "app/dialogs/dialog_support.h"
#include "edit/palette/palette_remapper.h"
#include "model/project/editor_session.h"
#include "model/tileset/tileset.h"
#include "model/tileset/tileset_registry.h"

namespace qarto {

namespace {

constexpr int kSwatch = 14;

// The row's 16 colours side by side; those no pixel uses are crossed out.
QIcon rowPicture(const Tileset& page, int row, std::uint16_t used) {
  QPixmap pixmap(kSwatch * kRowColours, kSwatch);
  QPainter painter(&pixmap);
  for (int c = 0; c < kRowColours; ++c) {
    const std::size_t at = static_cast<std::size_t>((row * kRowColours + c) * 3);
    const QRect box(c * kSwatch, 0, kSwatch, kSwatch);
    painter.fillRect(box, QColor(page.palette[at], page.palette[at + 1], page.palette[at + 2]));
    if (((used >> c) & 1) == 0) painter.drawLine(box.topLeft(), box.bottomRight());
  }
  return QIcon(pixmap);
}

}  // namespace

PaletteRemapperDialog::PaletteRemapperDialog(EditorSession& session, std::function<void()> changed, QWidget* parent)
    : QDialog(parent), session_(session), changed_(std::move(changed)) {
  setUpDialogWindow(*this, kPaletteRemapperSuffix);
  page_ = new QComboBox;
  page_->setObjectName("page");
  for (const auto& [id, tileset] : session_.registry()) {
    if (tileset->isCollisionTileset || tileset.get() == session_.project().collisionTileset) continue;
    page_->addItem(QString::fromStdString(tileset->displayName), tileset->id);
  }
  rows_ = new QListWidget;
  rows_->setObjectName("rows");
  rows_->setIconSize(QSize(kSwatch * kRowColours, kSwatch));
  target_ = new QSpinBox;
  target_->setObjectName("targetRow");
  target_->setRange(0, kPaletteRows - 1);
  auto* move = new QPushButton(QStringLiteral("Move"));
  move->setObjectName("move");
  auto* merge = new QPushButton(QStringLiteral("Merge"));
  merge->setObjectName("merge");
  auto* actions = new QHBoxLayout;
  actions->addWidget(new QLabel(QStringLiteral("Selected row to row")));
  actions->addWidget(target_);
  actions->addWidget(move);
  actions->addWidget(merge);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(page_);
  layout->addWidget(rows_);
  layout->addLayout(actions);
  layout->addWidget(buttons);
  connect(page_, &QComboBox::currentIndexChanged, this, [this] { showRows(); });
  connect(move, &QPushButton::clicked, this, [this] { act(false); });
  connect(merge, &QPushButton::clicked, this, [this] { act(true); });
  showRows();
  rows_->setCurrentRow(0);
}

int PaletteRemapperDialog::pageId() const { return page_->currentData().toInt(); }

void PaletteRemapperDialog::showRows() {
  const int selected = rows_->currentRow();
  rows_->clear();
  const Tileset* page = session_.registry().find(pageId());
  if (page == nullptr) return;
  const auto used = usedColours(*page);
  for (int row = 0; row < kPaletteRows; ++row) {
    const int count = std::popcount(static_cast<unsigned>(used[row] & 0xFFFE));
    rows_->addItem(new QListWidgetItem(rowPicture(*page, row, used[row]),
                                       QStringLiteral("Row %1: %2 colours used").arg(row).arg(count)));
  }
  rows_->setCurrentRow(selected);
}

void PaletteRemapperDialog::act(bool merge) {
  const int from = rows_->currentRow();
  const int to = target_->value();
  const bool done = merge ? mergePaletteRows(session_, pageId(), from, to) : movePaletteRow(session_, pageId(), from, to);
  if (!done) return;
  showRows();
  rows_->setCurrentRow(merge ? from : to);
  if (changed_) changed_();
}

}  // namespace qarto
