#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ui/frmSet.h"
#include "ui/QtText.h"

namespace orbelin::ui {

namespace {

/// Lays out one page as rows of label, control and unit label or button.
class PageBuilder {
 public:
  explicit PageBuilder(QWidget& page) : m_page(page), m_grid(new QGridLayout(&page)) {
    m_grid->setColumnStretch(1, 1);
  }
  ~PageBuilder() { m_grid->setRowStretch(m_row, 1); }
  PageBuilder(const PageBuilder&) = delete;
  PageBuilder& operator=(const PageBuilder&) = delete;

  QCheckBox* check(const char* name, const char* caption) {
    auto* box = named(new QCheckBox(QString::fromUtf8(caption), &m_page), name);
    m_grid->addWidget(box, m_row++, 0, 1, 2);
    return box;
  }
  QLineEdit* text(const char* name, const char* label, const char* labelName = nullptr) {
    auto* box = named(new QLineEdit(&m_page), name);
    addLabel(label, labelName);
    m_grid->addWidget(box, m_row++, 1);
    return box;
  }
  QComboBox* combo(const char* name, const char* label, const char* labelName = nullptr) {
    auto* list = named(new QComboBox(&m_page), name);
    addLabel(label, labelName);
    m_grid->addWidget(list, m_row++, 1);
    return list;
  }
  QListWidget* list(const char* name, const char* label, const char* labelName) {
    auto* box = named(new QListWidget(&m_page), name);
    box->setMaximumHeight(90);
    addLabel(label, labelName, Qt::AlignTop);
    m_grid->addWidget(box, m_row++, 1);
    return box;
  }
  QLabel* note(const char* caption, const char* name = nullptr) {
    auto* label = named(new QLabel(QString::fromUtf8(caption), &m_page), name);
    m_grid->addWidget(label, m_row++, 0, 1, 3);
    return label;
  }
  /// A unit label or button at the end of the last row.
  void trailing(QWidget* widget) { m_grid->addWidget(widget, m_row - 1, 2); }
  QLabel* unit(const char* caption, const char* name) {
    auto* label = named(new QLabel(QString::fromUtf8(caption), &m_page), name);
    trailing(label);
    return label;
  }
  QPushButton* button(const char* name, const char* caption) {
    auto* push = named(new QPushButton(QString::fromUtf8(caption), &m_page), name);
    push->setAutoDefault(false);
    trailing(push);
    return push;
  }

 private:
  template <class T>
  T* named(T* widget, const char* name) {
    if (name != nullptr) widget->setObjectName(QString::fromLatin1(name));
    return widget;
  }
  void addLabel(const char* caption, const char* name, Qt::Alignment align = Qt::AlignVCenter) {
    auto* label = named(new QLabel(QString::fromUtf8(caption), &m_page), name);
    m_grid->addWidget(label, m_row, 0, align);
  }

  QWidget& m_page;
  QGridLayout* m_grid;
  int m_row = 0;
};

void buildCommunication(PageBuilder& page) {
  page.combo("PortCmb", "COMポート");
  page.combo("BaudCmb", "ボーレイト");
  page.combo("DataCmb", "データ長");
  page.combo("StopCmb", "ストップビット");
  page.combo("ParityCmb", "パリティ");
  page.combo("HandCmb", "ハンドシェイク");
  page.check("PortScanChk", "接続可能なポートを自動検索");
}

void buildTrouble(PageBuilder& page) {
  page.text("BufTxt", "シリアルバッファサイズ");
  page.text("WeightTxt", "受信データ確定待ち時間");
}

void buildDeviceControl(PageBuilder& page) {
  page.combo("TrigCmb", "送信要求パケット");
  page.text("TimerTxt", "送信要求出力間隔", "TimerLbl");
  page.unit("sec", "TimerUnitLbl");
  page.combo("AnswCmb", "受信応答パケット");
  page.text("AnswTimeTxt", "受信後の応答パケットウエイト", "AnswTimeLbl");
  page.unit("msec", "AnswTimeUnitLbl");
}

void buildReceiveFormat(PageBuilder& page) {
  page.check("RecvFormatChk", "受信データ内容を監視する");
  page.combo("RecvHeadCmb", "プリフィックス", "RecvHeadLbl");
  page.list("RecvHeadOtherLst", "特殊プリフィックス", "RecvHeadOtherLbl");
  page.combo("RecvFootCmb", "サフィックス", "RecvFootLbl");
  page.list("RecvFootOtherLst", "特殊サフィックス", "RecvFootOtherLbl");
  page.note("※プリフィックス・サフィックスは、除去されます", "RecvDataLbl");
}

void buildKeyFormat(PageBuilder& page) {
  page.check("SendkeyChk", "キー転送する");
  page.text("KBHeadTxt", "プリフィックスデータ");
  page.button("KeyHeadCmd", "KeyBoard");
  page.text("KBFootTxt", "サフィックスデータ");
  page.button("KeyFootCmd", "KeyBoard");
}

void buildDataEdit(PageBuilder& page) {
  page.check("ChikanChk", "文字・文字列を置き換える");
  page.button("ChikanCmd", "編集");
  page.check("ByteEdChk", "固定サイズデータ編集(削除・挿入)");
  page.button("ByteEdCmd", "編集");
  page.combo("ConvModeCmb", "データコンバート");
}

void buildKeyTrouble(PageBuilder& page) {
  page.check("SendkeyspcChk", "｛｝をデータとして扱う");
  page.check("DOSSendChk", "コマンドプロンプト(DOS)画面に転送");
  page.check("PCOMM1SendChk", "ＰＣＯＭＭ画面に転送①");
  page.check("PCOMM2SendChk", "ＰＣＯＭＭ画面に転送② Ctrl+V");
  page.check("LowSendChk", "実キーボード入力を発生させる");
  page.text("KeyWeightTxt", "ENTER・TABキーの前後にウエイト", "KeyWeightLbl");
  page.unit("msec", "KeyWeightUnitLbl");
  page.text("KeyDwnWeightTxt", "１キー毎の押下時間", "KeyDwnWeightLbl");
  page.unit("msec", "KeyDwnWeightUnitLbl");
}

void buildBarcode(PageBuilder& page) { page.check("EANChk", "ＥＡＮ１２８を使用する"); }

void buildBooks(PageBuilder& page) {
  page.check("BookJANChk", "書籍ＪＡＮ２段を結合する");
  page.check("BookJANChk1", "１段を許可");
  page.check("AddOnChk", "アドオンコードの含まれないデータは、扱わない");
  page.check("ISBNChk", "日本図書コード（ＩＳＢＮ）１０桁を結合する");
  page.check("ISBN13Chk", "日本図書コード（ＩＳＢＮ）１３桁を結合する");
  page.text("SPCWeightTxt", "結合時、次データ待ち時間");
  page.unit("msec", "SPCWeightUnitLbl");
  page.check("JAN2toISBN1Chk", "書籍ＪＡＮ１段目のみＩＳＢＮ番号に変換");
  page.check("JAN2toISBN2Chk", "書籍ＪＡＮ２段目のみ分類コードと価格コードに変換");
  page.check("JAN2toISBN3Chk", "書籍ＪＡＮ２段を日本図書コードに変換");
  page.combo("BookSeparateCmb", "ＪＡＮ２段結合間に区切り文字挿入", "BookSeparateLbl");
}

void buildBehaviour(PageBuilder& page) {
  page.check("TaskShiftChk", "ポップアップメニューロック");
  page.note("(SHIFTキーが押下されていないと起動させない)", "TaskShiftLbl");
  page.text("DelayTimeTxt", "起動待ち時間");
}

void buildFiles(PageBuilder& page) {
  page.check("LogChk", "受信データファイルを作成する");
  page.check("FileChk", "出力データファイルを作成する");
  page.text("FilePathTxt", "出力ファイル名：", "FilePathLbl");
  page.button("FileCmd", "参照");
}

void buildEan128(PageBuilder& page) {
  page.check("EANNoAIChk", "ＡＩ識別子を削除");
  page.check("EANBracketAIChk", "ＡＩ識別子（）で括る");
  page.check("EANAIChk", "ＡＩ識別子より必要データのみ抽出");
  page.button("EANCmd", "編集");
  page.text("EANStartCDTxt", "Start Code・FNC1代替文字列", "EANStartCDLbl");
  page.note("(EAN128識別ﾌﾟﾘﾌｨｯｸｽﾃﾞｰﾀ)", "EANStartCDNoteLbl");
  page.check("EANDateChk", "日付データを 99/99/99 に変換");
  page.check("EANDecimalChk", "小数点位置に ． を挿入 ");
  page.check("EANSortChk", "ＡＩ識別子でソート");
  page.button("EANSortCmd", "編集");
  page.combo("EANSeparateCmb", "ＡＩ識別子の前にフィールド区切り挿入", "EANSeparateLbl");
  page.check("EANSymbologyChk", "シンボル識別子（]e0 ]d2 ]Q3 ]J1 ]E0 等）で判別");
  page.check("EANDigitalLinkChk", "ＧＳ１デジタルリンク（ＵＲＬ）を解析");
  page.combo("EANCheckCmb", "ＧＳ１規則で検査（誤りはCOMRECV.LOGへ）", "EANCheckLbl");
}

struct PageDefinition {
  const char* key;
  void (*build)(PageBuilder&);
};

constexpr PageDefinition kPages[] = {
    {"COM_0", buildCommunication}, {"COM_1", buildTrouble},  {"COM_2", buildDeviceControl},
    {"RCV_0", buildReceiveFormat}, {"SND_0", buildKeyFormat}, {"SND_1", buildDataEdit},
    {"SND_2", buildKeyTrouble},    {"SPC_0", buildBarcode},   {"SPC_2", buildBooks},
    {"MOV_0", buildBehaviour},     {"FIL_0", buildFiles},     {"SPC_1", buildEan128},
};

}  // namespace

void frmSet::buildPages() {
  auto* area = new QWidget(this);
  area->setObjectName(QStringLiteral("PageArea"));
  auto* stack = new QGridLayout(area);
  stack->setContentsMargins(0, 0, 0, 0);
  for (const auto& definition : kPages) {
    auto* page = new QGroupBox(area);
    page->setObjectName(QStringLiteral("fra") + QString::fromLatin1(definition.key));
    {
      PageBuilder builder(*page);
      definition.build(builder);
    }
    stack->addWidget(page, 0, 0);
    page->hide();
  }
}

}  // namespace orbelin::ui
