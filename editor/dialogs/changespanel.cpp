#include "changespanel.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

#include <array>

namespace {

enum Column { kNumber, kName, kField, kBefore, kAfter, kColumnCount };

}  // namespace

// The lines of the changes; a general's 番号 and 名前 stand on its first line only, so that
// its fields read as one group.
class ChangesModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void setChanges(GeneralChanges changes) {
        beginResetModel();
        changes_ = std::move(changes);
        endResetModel();
    }
    const GeneralChanges& changes() const { return changes_; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : changes_.fieldCount();
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kColumnCount;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const std::array<QString, kColumnCount> captions = {
            QStringLiteral("番号"), QStringLiteral("名前"), QStringLiteral("項目"),
            QStringLiteral("変更前"), QStringLiteral("変更後")};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < kColumnCount) {
            return captions[section];
        }
        return {};
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= changes_.fieldCount()) {
            return {};
        }
        const FieldChange& field = changes_.fields()[index.row()];
        if (role == Qt::TextAlignmentRole) {
            return index.column() == kNumber ? static_cast<int>(Qt::AlignRight | Qt::AlignVCenter)
                                             : static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);
        }
        if (role != Qt::DisplayRole) {
            return {};
        }
        const bool firstOfGeneral =
            index.row() == 0 || changes_.fields()[index.row() - 1].index != field.index;
        switch (index.column()) {
            case kNumber:
                return firstOfGeneral ? QVariant(field.index) : QVariant();
            case kName:
                return firstOfGeneral ? field.name : QString();
            case kField:
                return field.caption;
            case kBefore:
                return field.before;
            case kAfter:
                return field.after;
            default:
                return {};
        }
    }

  private:
    GeneralChanges changes_;
};

ChangesPanel::ChangesPanel(QWidget* parent) : QWidget(parent), model_(new ChangesModel(this)) {
    labChanges = new QLabel(this);
    labChanges->setObjectName(QStringLiteral("labChanges"));
    listChanges = new QTreeView(this);
    listChanges->setObjectName(QStringLiteral("listChanges"));
    listChanges->setRootIsDecorated(false);
    listChanges->setItemsExpandable(false);
    // Thousands of lines open at once only when every row is as high as the first.
    listChanges->setUniformRowHeights(true);
    listChanges->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listChanges->setSelectionBehavior(QAbstractItemView::SelectRows);
    listChanges->setModel(model_);
    listChanges->header()->setStretchLastSection(false);
    const std::array<int, kColumnCount> widths = {48, 120, 80, 130, 130};
    for (int column = 0; column < kColumnCount; ++column) {
        listChanges->setColumnWidth(column, widths[column]);
    }
    connect(listChanges, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            emit generalActivated(model_->changes().fields()[index.row()].index);
        }
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(labChanges);
    layout->addWidget(listChanges);
}

void ChangesPanel::setChanges(GeneralChanges changes) {
    labChanges->setText(changes.summary());
    model_->setChanges(std::move(changes));
}

const GeneralChanges& ChangesPanel::changes() const {
    return model_->changes();
}
