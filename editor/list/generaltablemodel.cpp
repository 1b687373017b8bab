#include "generaltablemodel.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

const QColor kTickedColour(208, 64, 64);

// "000": at least three digits, the sign in front.
QString atLeastThreeDigits(int value) {
    const QString digits = QString::number(std::abs(value)).rightJustified(3, u'0');
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

}  // namespace

Qt::Alignment GeneralTableModel::alignment(int column) {
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment centre = Qt::AlignHCenter | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    if (column == kKeyColumn || (column >= kFirstMarkColumn && column <= kBirthColumn) ||
        column >= kFirstSkillColumn) {
        return centre;
    }
    if (column >= kFameColumn && column < kFirstSettingColumn) {
        return right;
    }
    return left;
}

GeneralTableModel::GeneralTableModel(std::unique_ptr<GeneralSource> source, bool tickable,
                                     QObject* parent)
    : QAbstractTableModel(parent), source_(std::move(source)), tickable_(tickable) {}

int GeneralTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GeneralTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kListColumnCount;
}

QString GeneralTableModel::cellText(int row, int column) const {
    return column >= 0 && column < kListColumnCount ? rows_[row].cells[column] : QString();
}

void GeneralTableModel::setFont(const QFont& font) {
    boldFont_ = font;
    boldFont_.setBold(true);
}

QVariant GeneralTableModel::roleData(const Row& row, int column, int role) const {
    // Shared values: handing one out only counts a reference.
    static const QVariant tickedBrush = QBrush(kTickedColour);
    static const QVariant checked = Qt::Checked;
    static const QVariant unchecked = Qt::Unchecked;
    static const auto alignments = [] {
        std::array<QVariant, kListColumnCount> result;
        for (int c = 0; c < kListColumnCount; ++c) {
            result[c] = static_cast<int>(alignment(c));
        }
        return result;
    }();
    switch (role) {
        case Qt::DisplayRole:
            return row.cells[column];
        case Qt::TextAlignmentRole:
            return alignments[column];
        case Qt::CheckStateRole:
            if (tickable_ && column == 0) {
                return row.ticked ? checked : unchecked;
            }
            return {};
        case Qt::FontRole:
            return row.looksTicked ? QVariant(boldFont_) : QVariant();
        case Qt::ForegroundRole:
            // Other rows take the views' text colour: a brush of their own would make the
            // delegate copy the palette for every cell it draws.
            return row.looksTicked ? tickedBrush : QVariant();
        default:
            return {};
    }
}

QVariant GeneralTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kListColumnCount) {
        return {};
    }
    return roleData(rows_[index.row()], index.column(), role);
}

void GeneralTableModel::multiData(const QModelIndex& index, QModelRoleDataSpan roleDataSpan) const {
    const bool valid =
        index.isValid() && index.row() < rowCount() && index.column() < kListColumnCount;
    for (QModelRoleData& roleData : roleDataSpan) {
        roleData.setData(valid ? this->roleData(rows_[index.row()], index.column(), roleData.role())
                               : QVariant());
    }
}

QVariant GeneralTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return ListColumnCaption(section);
    }
    if (role == Qt::TextAlignmentRole) {
        return static_cast<int>(alignment(section));
    }
    return {};
}

Qt::ItemFlags GeneralTableModel::flags(const QModelIndex& index) const {
    // Never user-checkable: a click on the tick box is the list's to handle.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

void GeneralTableModel::fill(Row& row) const {
    const PersonRecord& record = source_->record(row.index);
    const MarkEntry* marks = source_->marks(row.index);
    row.cells.resize(kListColumnCount);
    row.cells[0] = source_->name(row.index);
    row.cells[kKeyColumn] = atLeastThreeDigits(row.index);
    for (int column = kFirstMarkColumn; column < kListColumnCount; ++column) {
        row.cells[column] = ListCellText(record, marks, column, source_->existingGenerals());
    }
}

void GeneralTableModel::showAllGenerals() {
    beginResetModel();
    rows_.clear();
    const int count = source_->count();
    rows_.resize(count);
    for (int n = 1; n <= count; ++n) {
        rows_[n - 1].index = n;
        fill(rows_[n - 1]);
    }
    endResetModel();
}

void GeneralTableModel::setTicked(int row, bool ticked) {
    if (rows_[row].ticked != ticked) {
        rows_[row].ticked = ticked;
        const QModelIndex cell = index(row, 0);
        emit dataChanged(cell, cell, {Qt::CheckStateRole});
    }
}

void GeneralTableModel::settleLook(int row) {
    if (rows_[row].looksTicked != rows_[row].ticked) {
        rows_[row].looksTicked = rows_[row].ticked;
        emit dataChanged(index(row, 0), index(row, kListColumnCount - 1),
                         {Qt::FontRole, Qt::ForegroundRole});
    }
}

QString GeneralTableModel::sortKey(const Row& row, int column) const {
    if (column == 0) {
        return source_->reading(row.index);
    }
    const QString& shown = row.cells[column];
    if (column >= kBirthColumn && column < kFirstSettingColumn) {
        bool isNumber = false;
        const int value = shown.toInt(&isNumber);
        return isNumber ? atLeastThreeDigits(value) : shown;
    }
    const PersonRecord& record = source_->record(row.index);
    if (column >= kFirstSettingColumn && column <= kLastSettingColumn) {
        return QString::number(record.setting(SettingOfColumn(column)));
    }
    if (column == kPersonalAffinityColumn) {
        return atLeastThreeDigits(record.personalAffinity());
    }
    if (column == kFactionAffinityColumn) {
        return atLeastThreeDigits(record.factionAffinity());
    }
    // Marks and skills sort by what they show.
    return shown;
}

void GeneralTableModel::sortRows(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    for (Row& row : rows_) {
        row.cells[kKeyColumn] = sortKey(row, column);
    }
    // Remember where each row was, to move the views' persistent indexes along.
    std::vector<int> positions(rows_.size());
    for (size_t i = 0; i < positions.size(); ++i) {
        positions[i] = static_cast<int>(i);
    }
    std::vector<QString> keys(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i) {
        keys[i] = rows_[i].cells[kKeyColumn];
    }
    const auto key = [&keys](int row) -> const QString& { return keys[row]; };
    if (order == Qt::AscendingOrder) {
        std::stable_sort(positions.begin(), positions.end(),
                         [&](int left, int right) { return key(left) < key(right); });
    } else {
        std::stable_sort(positions.begin(), positions.end(),
                         [&](int left, int right) { return key(right) < key(left); });
    }
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    std::vector<int> newRowOf(rows_.size());
    for (size_t i = 0; i < positions.size(); ++i) {
        newRowOf[positions[i]] = static_cast<int>(i);
        sorted.push_back(std::move(rows_[positions[i]]));
    }
    rows_ = std::move(sorted);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before) {
        after.append(index(newRowOf[old.row()], old.column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
