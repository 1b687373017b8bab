#include "markdialog.h"

#include <QCompleter>
#include <QLineEdit>

#include "model/marks.h"
#include "platform/windowrules.h"
#include "storabletextvalidator.h"

namespace {

QStringList markSuggestions() {
    return QStringLiteral("将|猛|軍|政|論|武|文|仙|A|B|C|D|E|F|○|×|△").split(QLatin1Char('|'));
}

}  // namespace

MarkDialog::MarkDialog(QWidget* parent) : BulkEditDialog(parent) {
    setObjectName(QStringLiteral("frmMark"));
    setWindowTitle(QStringLiteral("Tessaril新武将まとめ補助エディタ - 印の編集"));

    labGuide = addLabel(this, QStringLiteral("labGuide"),
                        QStringLiteral("変更したいものをチェックして、文字を入力します。\n"
                                       "チェックを入れて、空のままにすると印が消えます"),
                        QRect(12, 8, 456, 36));

    const QStringList suggestions = markSuggestions();
    auto* validator = new StorableTextValidator(this);
    for (int mark = 0; mark < kMarkCount; ++mark) {
        const QString number = QString::number(mark);
        const int top = 56 + mark * 34;
        chkMark[mark] =
            addCheckBox(this, QStringLiteral("chkMark_") + number,
                        QStringLiteral("印") + QString::number(mark + 1) + QStringLiteral("変更"),
                        QRect(12, top + 3, 90, 22));
        connect(chkMark[mark], &QCheckBox::toggled, this, [this, mark] { markBoxToggled(mark); });

        fraMark[mark] = new QFrame(this);
        fraMark[mark]->setObjectName(QStringLiteral("fraMark_") + number);
        fraMark[mark]->setGeometry(104, top, 150, 28);
        fraMark[mark]->hide();

        auto* box = new QComboBox(fraMark[mark]);
        box->setObjectName(QStringLiteral("cmbMark_") + number);
        box->setEditable(true);
        // The suggestions are only offered; typed texts never join them.
        box->setInsertPolicy(QComboBox::NoInsert);
        box->addItems(suggestions);
        box->setCurrentIndex(-1);
        box->clearEditText();
        // "a" must stay "a", not turn into the suggestion "A".
        box->completer()->setCaseSensitivity(Qt::CaseSensitive);
        box->setValidator(validator);
        box->setGeometry(2, 2, 146, 24);
        cmbMark[mark] = box;
    }

    labList = placeTargetList(QStringLiteral("labList"), QStringLiteral("対象者"),
                              QRect(290, 48, 178, 20), QRect(290, 70, 178, 140));

    cmdOK = addOkButton(this, QRect(290, 218, 84, 30));
    cmdCancel = addCancelButton(QRect(384, 218, 84, 30));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    labNote = addLabel(
        this, QStringLiteral("labNote"),
        QStringLiteral("印は武将を分類して、並べ替えるための情報です。使えたら使って下さい。\n"
                       "分類に使えそうな文字や記号を１～２文字程度入力して使います。\n"
                       "メイン画面では、上の方にある「印」チェックを切り替えて表示を切り替えます\n"
                       "\n"
                       "ゲームとは関係のない情報です。興味がなければ（あるいはよく分からなければ）"
                       "使わないで下さい\n"
                       "\n"
                       "印の編集結果は、この補助エディタと同じフォルダに保存されます。\n"
                       "（Windows Vistaではちょっと都合が違うようです。動作未確認）\n"
                       "印の記録を完全に消したい場合は、Mark.csvを手動で削除します\n"
                       "\n"
                       "武将を読み込んだとき、手元に保存した武将名と照らし合わせて、一致する名前を"
                       "見つけたら印を"
                       "復帰させます。印の保存は、あくまで武将名との組み合わせで行うので、同じ名前"
                       "をもつ武将の印は"
                       "正しく保存できません\n"
                       "\n"
                       "印1～5すべてが空の武将については、印情報を保存しません"),
        QRect(12, 262, 456, 300));
    labNote->setWordWrap(true);
    labNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    setFixedSize(480, 574);
    ScrollWhenTooLarge(this);
}

void MarkDialog::markBoxToggled(int index) {
    fraMark[index]->setVisible(chkMark[index]->isChecked());
}

MarkEditSettings MarkDialog::settings() const {
    MarkEditSettings result;
    for (int mark = 0; mark < kMarkCount; ++mark) {
        result.change[mark] = chkMark[mark]->isChecked();
        result.text[mark] = cmbMark[mark]->currentText();
    }
    return result;
}
