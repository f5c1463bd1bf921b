#include "app/side_bars/entities_bar.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/side_bars/entity_thumbnail.h"
#include "app/side_bars/side_bar_support.h"
#include "edit/entities/entity_catalogue.h"

namespace qarto {

CEntitiesBar::CEntitiesBar(MapViewEngine& engine, std::function<void()> changed, QWidget* parent)
    : QDockWidget(QStringLiteral(" Entities"), parent), bars_(engine), changed_(std::move(changed)) {
  setObjectName(QStringLiteral("EntitiesBar"));
  setUpSideBar(*this);

  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  list_ = namedCombo("entityList", {});
  description_ = new QPlainTextEdit;
  description_->setObjectName(QStringLiteral("entityDescription"));
  description_->setReadOnly(true);
  description_->setFocusPolicy(Qt::NoFocus);  // the keys stay with the editor
  description_->setFixedHeight(description_->fontMetrics().lineSpacing() * 8);
  layout->addWidget(list_);
  layout->addWidget(description_);
  const std::pair<const char*, const char*> buttons[] = {
      {"Spawn", "spawn"}, {"Delete Selected Entity", "deleteEntity"}, {"Clone Selected Entity", "cloneEntity"}};
  for (const auto& [text, name] : buttons) {
    auto* button = new QPushButton(QString::fromLatin1(text));
    button->setObjectName(QString::fromLatin1(name));
    layout->addWidget(button);
    const std::string which = name;
    connect(button, &QPushButton::clicked, this, [this, which] {
      control([this, which] {
        if (which == "spawn") bars_.spawn();
        if (which == "deleteEntity") bars_.deleteSelected();
        if (which == "cloneEntity") bars_.cloneSelected();
      });
    });
  }
  layout->addStretch(1);
  setWidget(body);

  connect(list_, &QComboBox::activated, this,
          [this](int row) { control([this, row] { bars_.selectEntityRow(row); }); });
  updateFromEngine();
}

void CEntitiesBar::control(const std::function<void()>& action) {
  action();
  updateFromEngine();
  if (changed_) changed_();
}

void CEntitiesBar::updateFromEngine() {
  if (!listed_ || listedGeneration_ != bars_.catalogueGeneration()) {
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const EntityType& row : bars_.entityRows()) {
      list_->addItem(entityThumbnail(row), QString::fromStdString(row.name));
    }
    listedGeneration_ = bars_.catalogueGeneration();
    listed_ = true;
  }
  showIndex(*list_, bars_.entityRow());
  QString description = QString::fromStdString(bars_.selectedEntityType().description);
  description.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (description_->toPlainText() != description) description_->setPlainText(description);
}

}  // namespace qarto
