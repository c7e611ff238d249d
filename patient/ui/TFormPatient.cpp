#include "TFormPatient.h"

#include "shell/DataFolders.h"
#include "shell/ui/Program.h"
#include "shell/ui/SharedTexts.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace tiravel {

struct TFormPatient::Controls {
    QTabWidget* pages = nullptr;
    QWidget* tabAnamnese = nullptr;
    QWidget* tabPathologie = nullptr;
    QWidget* tabAutoEvaluation = nullptr;
    QWidget* tabAvantApres = nullptr;
    QWidget* tabBilan = nullptr;
    QTextEdit* RichEdit = nullptr;
    QLineEdit* EditSummaryName = nullptr;
    QTextCharFormat lineFormat;
};

namespace {

QWidget* addPage(QTabWidget* pages, const char* name)
{
    auto* page = new QWidget(pages);
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, QString());
    return page;
}

} // namespace

TFormPatient::TFormPatient(Program& program)
    : ToolWindow(program, "FormPatient", {"Fiche patient", "Patient record", "Ficha del paciente"})
    , c_(std::make_unique<Controls>())
{
    c_->pages = new QTabWidget(this);
    c_->pages->setObjectName("PageControl");
    c_->tabAnamnese = addPage(c_->pages, "TabAnamnese");
    c_->tabPathologie = addPage(c_->pages, "TabPathologie");
    c_->tabAutoEvaluation = addPage(c_->pages, "TabAutoEvaluation");
    c_->tabAvantApres = addPage(c_->pages, "TabAvantApres");
    c_->tabBilan = addPage(c_->pages, "TabBilan");
    c_->RichEdit = new QTextEdit(c_->tabAnamnese);
    c_->RichEdit->setObjectName("RichEdit");
    c_->EditSummaryName = new QLineEdit(c_->tabBilan);
    c_->EditSummaryName->setObjectName("EditSummaryName");
    body().addWidget(c_->pages);
    resetLineAttributes();
}

TFormPatient::~TFormPatient() = default;

void TFormPatient::FormCreate()
{
    ToolWindow::FormCreate();
    QTabWidget* pages = c_->pages;
    pages->setTabText(pages->indexOf(c_->tabAnamnese), languageText(kTextAnamnesis));
    pages->setTabText(pages->indexOf(c_->tabPathologie), languageText(kTextPathology));
    pages->setTabText(pages->indexOf(c_->tabAutoEvaluation), languageText(kTextSelfAssessment));
    pages->setTabText(pages->indexOf(c_->tabAvantApres),
        text3("Evolution des indicateurs", "Evolution of the indicators", "Evolución de los indicadores"));
    pages->setTabText(pages->indexOf(c_->tabBilan),
        text3("Générer la fiche bilan", "Generate summary file", "Generación ficha balance"));
}

void TFormPatient::appendPatientLine(const std::string& text)
{
    QTextCursor cursor(c_->RichEdit->document());
    cursor.movePosition(QTextCursor::End);
    if (!c_->RichEdit->document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(QString::fromStdString(text), c_->lineFormat);
}

void TFormPatient::setLineAttributes(bool bold, const QColor& colour)
{
    c_->lineFormat.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    c_->lineFormat.setForeground(colour);
}

void TFormPatient::resetLineAttributes()
{
    setLineAttributes(false, Qt::black);
}

std::string TFormPatient::patientLine(int index) const
{
    const QTextBlock block = c_->RichEdit->document()->findBlockByNumber(index);
    return block.isValid() ? block.text().toStdString() : std::string();
}

std::string TFormPatient::summaryName() const
{
    return c_->EditSummaryName->text().toStdString();
}

std::filesystem::path TFormPatient::prepareWorkingFolder()
{
    program().folders().enterPatientsFolder();
    return program().folders().patientsFolder();
}

void TFormPatient::UpdateAAvant(const std::string&) {}

void TFormPatient::UpdateAApres(const std::string&) {}

void TFormPatient::showBeforeAfterPage()
{
    c_->pages->setCurrentWidget(c_->tabAvantApres);
}

QString TFormPatient::currentPageName() const
{
    return c_->pages->currentWidget()->objectName();
}

} // namespace tiravel
