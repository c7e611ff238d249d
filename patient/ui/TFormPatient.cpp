#include "TFormPatient.h"

#include "shell/ui/SharedTexts.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace tiravel {

TFormPatient::TFormPatient(Program& program)
    : ToolWindow(program, "FormPatient", {"Fiche patient", "Patient record", "Ficha del paciente"})
    , pages_(new QTabWidget(this))
{
    pages_->setObjectName("PageControl");
    tabAnamnese_ = &addPage("TabAnamnese");
    tabPathologie_ = &addPage("TabPathologie");
    tabAutoEvaluation_ = &addPage("TabAutoEvaluation");
    tabAvantApres_ = &addPage("TabAvantApres");
    tabBilan_ = &addPage("TabBilan");
    body().addWidget(pages_);
}

QWidget& TFormPatient::addPage(const char* name)
{
    auto* page = new QWidget(pages_);
    page->setObjectName(QString::fromLatin1(name));
    pages_->addTab(page, QString());
    return *page;
}

void TFormPatient::FormCreate()
{
    ToolWindow::FormCreate();
    pages_->setTabText(pages_->indexOf(tabAnamnese_), languageText(kTextAnamnesis));
    pages_->setTabText(pages_->indexOf(tabPathologie_), languageText(kTextPathology));
    pages_->setTabText(pages_->indexOf(tabAutoEvaluation_), languageText(kTextSelfAssessment));
    pages_->setTabText(pages_->indexOf(tabAvantApres_),
        text3("Evolution des indicateurs", "Evolution of the indicators", "Evolución de los indicadores"));
    pages_->setTabText(pages_->indexOf(tabBilan_),
        text3("Générer la fiche bilan", "Generate summary file", "Generación ficha balance"));
}

void TFormPatient::showBeforeAfterPage()
{
    pages_->setCurrentWidget(tabAvantApres_);
}

QString TFormPatient::currentPageName() const
{
    return pages_->currentWidget()->objectName();
}

} // namespace tiravel
