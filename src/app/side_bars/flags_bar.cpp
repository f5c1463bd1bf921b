#include "app/side_bars/flags_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/side_bars/bar_title.h"
#include "app/side_bars/flags_legend.h"
#include "app/side_bars/side_bar_support.h"
#include "edit/collision/collision_word.h"

namespace qarto {

CFlagsBar::CFlagsBar(MapViewEngine& engine, std::function<void()> changed, QWidget* parent)
    : QDockWidget(QStringLiteral(" Flags"), parent), bars_(engine), changed_(std::move(changed)) {
  setObjectName(QStringLiteral("FlagsBar"));
  setUpSideBar(*this);

  auto* body = new QWidget(this);
  auto* grid = new QGridLayout(body);
  markers_ = namedCombo("markers", SideBars::markerNames());
  damage_ = namedCombo("damage", SideBars::damageNames());
  grid->addWidget(new QLabel(QStringLiteral("Markers")), 0, 0);
  grid->addWidget(markers_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Damage Type")), 1, 0);
  grid->addWidget(damage_, 1, 1);
  addKindSwatches(*markers_, *damage_);
  solid_ = new QCheckBox(QStringLiteral("Solid"));
  solid_->setObjectName(QStringLiteral("solid"));
  jumpThrough_ = new QCheckBox(QStringLiteral("Jump Through"));
  jumpThrough_->setObjectName(QStringLiteral("jumpThrough"));
  grid->addWidget(solid_, 2, 0, 1, 2);
  grid->addWidget(jumpThrough_, 3, 0, 1, 2);

  auto* modes = new QHBoxLayout;
  const char* const modeNames[] = {"Add", "Remove", "Replace"};
  for (int i = 0; i < 3; ++i) {
    modes_[i] = new QRadioButton(QString::fromLatin1(modeNames[i]));
    modes_[i]->setObjectName(QString::fromLatin1(modeNames[i]).toLower());
    modes->addWidget(modes_[i]);
    connect(modes_[i], &QRadioButton::clicked, this,
            [this, i] { control([this, i] { bars_.setMode(static_cast<FlagPaintMode>(i)); }); });
  }
  grid->addLayout(modes, 4, 0, 1, 2);

  auto* properties = new QGroupBox(QStringLiteral("Cursor Tile Properties"));
  readOut_ = new QLabel(properties);
  readOut_->setObjectName(QStringLiteral("cursorTileProperties"));
  readOut_->setTextFormat(Qt::PlainText);
  readOut_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  readOut_->setMinimumHeight(readOut_->fontMetrics().lineSpacing() * 7);
  (new QVBoxLayout(properties))->addWidget(readOut_);
  grid->addWidget(properties, 5, 0, 1, 2);
  grid->addWidget(flagsLegendLabel(), 6, 0, 1, 2);
  grid->setRowStretch(7, 1);
  setWidget(body);

  connect(markers_, &QComboBox::activated, this, [this](int i) { control([this, i] { bars_.selectMarker(i); }); });
  connect(damage_, &QComboBox::activated, this, [this](int i) { control([this, i] { bars_.selectDamage(i); }); });
  connect(solid_, &QCheckBox::clicked, this, [this](bool on) { control([this, on] { bars_.setSolid(on); }); });
  connect(jumpThrough_, &QCheckBox::clicked, this,
          [this](bool on) { control([this, on] { bars_.setJumpThrough(on); }); });
  updateFromEngine();
}

void CFlagsBar::control(const std::function<void()>& action) {
  action();
  updateFromEngine();
  if (changed_) changed_();
}

void CFlagsBar::updateFromEngine() {
  const FlagsBar& flags = bars_.flags();
  showIndex(*markers_, flags.marker());
  showIndex(*damage_, flags.damage());
  showChecked(*solid_, (flags.value & kSolidBit) != 0);
  showChecked(*jumpThrough_, (flags.value & kJumpThroughBit) != 0);
  showChecked(*modes_[static_cast<int>(flags.mode)], true);
  const QString readOut = QString::fromStdString(bars_.cursorTileProperties());
  if (readOut_->text() != readOut) readOut_->setText(readOut);
}

}  // namespace qarto
