#include "TFormPatient.h"

#include "BeforeAfterPage.h"
#include "PatientFileDialogs.h"
#include "RichTextMapping.h"
#include "SelfAssessmentPage.h"
#include "SummaryPage.h"
#include "audio/ui/TFormRecord.h"
#include "evaluation/ui/TFormSpectrumRT.h"
#include "patient/AnamnesisTree.h"
#include "patient/PatientStore.h"
#include "patient/PatientSummary.h"
#include "patient/RtfReader.h"
#include "patient/RtfWriter.h"
#include "patient/TextRules.h"
#include "platform/Shell.h"
#include "shell/DataFolders.h"
#include "shell/ui/Program.h"
#include "shell/ui/ProgramState.h"
#include "shell/ui/SharedTexts.h"
#include "shell/ui/ShortDates.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tiravel {

namespace fs = std::filesystem;

namespace {

constexpr int kDocumentPointSize = 12;
constexpr std::size_t kClassificationCodeLength = 4;
constexpr TriText kCaptionPrefix {"Fiche patient de ", "Patient record of ", "Ficha del paciente de "};
constexpr TriText kNameLine {"Nom: ", "Name: ", "Nombre: "};
constexpr TriText kUnreadableRecord {"Fiche illisible: ", "Unreadable record: ", "Ficha ilegible: "};
constexpr TriText kUnreadableHint {"La fiche ouverte reste affichée; le fichier n'a pas été modifié.",
    "The open record stays on screen; the file was not changed.",
    "La ficha abierta sigue en pantalla; el archivo no se ha modificado."};
constexpr TriText kUnsaved {"La fiche n'a pas pu être enregistrée: ", "The record could not be saved: ",
    "No se pudo guardar la ficha: "};
constexpr TriText kUnsavedHint {"Vérifiez l'espace disque et les droits du dossier; la version précédente est conservée.",
    "Check the disk space and the folder's permissions; the previous version is kept.",
    "Compruebe el espacio en disco y los permisos de la carpeta; se conserva la versión anterior."};
constexpr TriText kRefusedName {"Nom de fiche refusé: ", "Record name refused: ", "Nombre de ficha rechazado: "};
constexpr TriText kRefusedHint {"Tapez un nom simple qui commence par une lettre, sans \"/\", \"\\\" ni \"..\": la fiche est rangée dans le dossier des données.",
    "Type a plain name that starts with a letter, without \"/\", \"\\\" or \"..\": the record is kept in the data folder.",
    "Escriba un nombre simple que empiece por una letra, sin \"/\", \"\\\" ni \"..\": la ficha se guarda en la carpeta de datos."};
constexpr TriText kNotErased {"La fiche n'a pas pu être effacée: ", "The record could not be erased: ",
    "No se pudo borrar la ficha: "};
constexpr TriText kMissingTemplate {"Fichier introuvable: ", "File not found: ", "Archivo no encontrado: "};
constexpr TriText kClassificationSource {
    "Classification des troubles de la voix de TIRAVEL 4 (codes à quatre chiffres, chapitres en d000)",
    "TIRAVEL 4 classification of voice disorders (four-digit codes, chapters as d000)",
    "Clasificación de los trastornos de la voz de TIRAVEL 4 (códigos de cuatro cifras, capítulos d000)"};
constexpr TriText kClassificationReference {"Référence: nomenclature.txt du dossier de référence",
    "Reference: nomenclature_en.txt of the reference folder", "Referencia: nomenclature_sp.txt de la carpeta de referencia"};
constexpr TriText kNoClassification {"Nomenclature non disponible", "Nomenclature non disponible",
    "Nomenclature non disponible"};
constexpr TriText kClassificationLabel {"Classification", "Classification", "Clasificación"};
constexpr TriText kChooseRecording {"Choisir un enregistrement de /a/", "Choose a recording of /a/",
    "Elegir una grabación de /a/"};
constexpr TriText kSaveReport {"Enregistrer la fiche bilan", "Save the summary file", "Guardar la ficha balance"};

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

QPushButton* button(QWidget* parent, const char* name)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLabel* label(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

struct TFormPatient::Controls {
    QTabWidget* pages = nullptr;
    QWidget* tabAnamnese = nullptr;
    QWidget* tabPathologie = nullptr;
    QWidget* tabAutoEvaluation = nullptr;
    QWidget* tabAvantApres = nullptr;
    QWidget* tabBilan = nullptr;

    QLabel* LabelActiveTitle = nullptr;
    QLabel* LabelActive = nullptr;
    QLabel* LabelSaveAs = nullptr;
    QLineEdit* EditNew = nullptr;
    QPushButton* sbSave = nullptr;
    QLabel* LabelList = nullptr;
    QListWidget* FileListBox = nullptr;
    QPushButton* sbNew = nullptr;
    QPushButton* sbClearSpace = nullptr;
    QPushButton* sbErasePatient = nullptr;
    QPushButton* sbQuit = nullptr;
    QPushButton* sbHelp = nullptr;

    QTextEdit* RichEdit = nullptr;
    QTreeWidget* TreeView = nullptr;

    QPlainTextEdit* MemoClassification = nullptr;
    QListWidget* ListPatho = nullptr;
    QLabel* LabelSearch = nullptr;
    QLineEdit* EditSearch = nullptr;
    QComboBox* ComboClassification = nullptr;
    QLabel* LabelSavePatho = nullptr;
    QPushButton* sbSavePatho = nullptr;

    SelfAssessmentPage* selfAssessment = nullptr;
    BeforeAfterPage* beforeAfter = nullptr;
    SummaryPage* summaryPage = nullptr;

    QTextCharFormat lineFormat;
    PatientSummary summary;
    std::vector<AnamnesisEntry> tree;
    const AnamnesisEntry* lastInserted = nullptr;
    bool created = false;
    std::unique_ptr<PatientFileDialogs> standardDialogs;
    PatientFileDialogs* dialogs = nullptr;
};

TFormPatient::TFormPatient(Program& program)
    : ToolWindow(program, "FormPatient", {"Fiche patient", "Patient record", "Ficha del paciente"})
    , c_(std::make_unique<Controls>())
{
    c_->standardDialogs = std::make_unique<PresentedPatientFileDialogs>(program.presenter());
    c_->dialogs = c_->standardDialogs.get();
    auto* row = new QHBoxLayout;
    auto* left = new QWidget(this);
    left->setObjectName("PanelLeft");
    c_->pages = new QTabWidget(this);
    c_->pages->setObjectName("PageControl");
    row->addWidget(left);
    row->addWidget(c_->pages, 1);
    body().addLayout(row, 1);

    const auto addPage = [this](const char* name) {
        auto* page = new QWidget(c_->pages);
        page->setObjectName(QString::fromLatin1(name));
        c_->pages->addTab(page, QString());
        return page;
    };
    c_->tabAnamnese = addPage("TabAnamnese");
    c_->tabPathologie = addPage("TabPathologie");
    c_->tabAutoEvaluation = addPage("TabAutoEvaluation");
    c_->tabAvantApres = addPage("TabAvantApres");
    c_->tabBilan = addPage("TabBilan");

    buildLeftColumn(left);
    buildAnamnesisPage();
    buildPathologyPage();
    c_->selfAssessment = new SelfAssessmentPage(c_->tabAutoEvaluation);
    (new QVBoxLayout(c_->tabAutoEvaluation))->addWidget(c_->selfAssessment);
    c_->selfAssessment->setSaveAction([this] { sbPatientClick(); });
    c_->beforeAfter = new BeforeAfterPage(c_->tabAvantApres);
    (new QVBoxLayout(c_->tabAvantApres))->addWidget(c_->beforeAfter);
    c_->beforeAfter->setChooseActions([this] { sbAAvantClick(); }, [this] { sbAApresClick(); });
    c_->summaryPage = new SummaryPage(c_->tabBilan);
    (new QVBoxLayout(c_->tabBilan))->addWidget(c_->summaryPage);
    c_->summaryPage->setGenerateAction([this] { sbGenerateFileClick(); });
    connect(c_->pages, &QTabWidget::currentChanged, this, [this] { PageControlPatientChange(); });
    resetLineAttributes();
    resize(1200, 760);
}

TFormPatient::~TFormPatient() = default;

void TFormPatient::buildLeftColumn(QWidget* panel)
{
    auto* column = new QVBoxLayout(panel);
    c_->LabelActiveTitle = label(panel, "LabelActiveTitle");
    c_->LabelActive = label(panel, "LabelActive");
    QFont bold = c_->LabelActive->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    c_->LabelActive->setFont(bold);
    c_->LabelSaveAs = label(panel, "LabelSaveAs");
    c_->EditNew = new QLineEdit(panel);
    c_->EditNew->setObjectName("EditNew");
    c_->sbSave = button(panel, "sbSave");
    c_->LabelList = label(panel, "LabelList");
    c_->FileListBox = new QListWidget(panel);
    c_->FileListBox->setObjectName("FileListBox");
    c_->sbNew = button(panel, "sbNew");
    c_->sbClearSpace = button(panel, "sbClearSpace");
    c_->sbErasePatient = button(panel, "sbErasePatient");
    c_->sbQuit = button(panel, "sbQuit");
    c_->sbHelp = button(panel, "sbHelp");
    for (QWidget* w : std::initializer_list<QWidget*> {c_->LabelActiveTitle, c_->LabelActive, c_->LabelSaveAs,
             c_->EditNew, c_->sbSave, c_->LabelList})
        column->addWidget(w);
    column->addWidget(c_->FileListBox, 1);
    for (QWidget* w : std::initializer_list<QWidget*> {c_->sbNew, c_->sbClearSpace, c_->sbErasePatient,
             c_->sbQuit, c_->sbHelp})
        column->addWidget(w);
    panel->setFixedWidth(210);

    connect(c_->sbSave, &QPushButton::clicked, this, [this] { sbSaveClick(); });
    connect(c_->EditNew, &QLineEdit::returnPressed, this, [this] { sbSaveClick(); });
    connect(c_->sbNew, &QPushButton::clicked, this, [this] { sbNewClick(); });
    connect(c_->sbClearSpace, &QPushButton::clicked, this, [this] { sbClearSpaceClick(); });
    connect(c_->sbErasePatient, &QPushButton::clicked, this, [this] { sbErasePatientClick(); });
    connect(c_->sbQuit, &QPushButton::clicked, this, [this] { sbQuitClick(); });
    connect(c_->sbHelp, &QPushButton::clicked, this, [this] { sbHelpClick(); });
    const auto open = [this] {
        FileListClick();
        FileListBoxChange();
    };
    connect(c_->FileListBox, &QListWidget::itemClicked, this, open);
    connect(c_->FileListBox, &QListWidget::itemActivated, this, open);
}

void TFormPatient::buildAnamnesisPage()
{
    QWidget* page = c_->tabAnamnese;
    auto* splitter = new QSplitter(page);
    c_->RichEdit = new QTextEdit(splitter);
    c_->RichEdit->setObjectName("RichEdit");
    c_->RichEdit->setAcceptRichText(false);
    c_->TreeView = new QTreeWidget(splitter);
    c_->TreeView->setObjectName("TreeView");
    c_->TreeView->setHeaderHidden(true);
    c_->TreeView->setWordWrap(true);
    splitter->addWidget(c_->RichEdit);
    splitter->addWidget(c_->TreeView);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    (new QVBoxLayout(page))->addWidget(splitter);
    connect(c_->TreeView, &QTreeWidget::itemClicked, this, [this] { TreeViewClick(); });
}

void TFormPatient::buildPathologyPage()
{
    QWidget* page = c_->tabPathologie;
    c_->MemoClassification = new QPlainTextEdit(page);
    c_->MemoClassification->setObjectName("MemoClassification");
    c_->MemoClassification->setReadOnly(true);
    c_->ListPatho = new QListWidget(page);
    c_->ListPatho->setObjectName("ListPatho");
    c_->LabelSearch = label(page, "LabelSearch");
    c_->EditSearch = new QLineEdit(page);
    c_->EditSearch->setObjectName("EditSearch");
    c_->ComboClassification = new QComboBox(page);
    c_->ComboClassification->setObjectName("ComboClassification");
    c_->ComboClassification->setEditable(true);
    c_->ComboClassification->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c_->LabelSavePatho = label(page, "LabelSavePatho");
    c_->sbSavePatho = button(page, "sbSavePatho");
    auto* grid = new QGridLayout(page);
    grid->addWidget(c_->MemoClassification, 0, 0, 1, 3);
    grid->addWidget(c_->ListPatho, 1, 0, 1, 3);
    grid->addWidget(c_->LabelSearch, 2, 0);
    grid->addWidget(c_->EditSearch, 2, 1, 1, 2);
    grid->addWidget(c_->ComboClassification, 3, 0, 1, 2);
    grid->addWidget(c_->sbSavePatho, 3, 2);
    grid->addWidget(c_->LabelSavePatho, 4, 2);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 3);
    grid->setColumnStretch(1, 1);
    connect(c_->ListPatho, &QListWidget::itemClicked, this, [this] { ListPathoClick(); });
    connect(c_->EditSearch, &QLineEdit::textChanged, this, [this] { EditSearchChange(); });
    connect(c_->sbSavePatho, &QPushButton::clicked, this, [this] { sbSavePathoClick(); });
}

// --- Creation and texts ------------------------------------------------------------

void TFormPatient::FormCreate()
{
    ToolWindow::FormCreate();
    setTexts();
    loadAnamnesisTree();
    if (c_->created) {
        setCurrentPatient(state().currentPatientName);
        return;
    }
    // What follows changes the record: only at the program's start, never on
    // a language switch (the open record must not be replaced).
    setCurrentPatient(state().currentPatientName.empty() ? defaultName() : state().currentPatientName);
    if (loadTemplate()) {
        appendPatientLine("");
        c_->RichEdit->document()->setModified(false);
        c_->RichEdit->moveCursor(QTextCursor::End);
    }
    UpdatePatientName(0);
    fillClassificationList();
    c_->pages->setCurrentWidget(c_->tabAnamnese);
    c_->created = true;
}

void TFormPatient::setTexts()
{
    QTabWidget* pages = c_->pages;
    pages->setTabText(pages->indexOf(c_->tabAnamnese), languageText(kTextAnamnesis));
    pages->setTabText(pages->indexOf(c_->tabPathologie), languageText(kTextPathology));
    pages->setTabText(pages->indexOf(c_->tabAutoEvaluation), languageText(kTextSelfAssessment));
    pages->setTabText(pages->indexOf(c_->tabAvantApres),
        text3("Evolution des indicateurs", "Evolution of the indicators", "Evolución de los indicadores"));
    pages->setTabText(pages->indexOf(c_->tabBilan),
        text3("Générer la fiche bilan", "Generate summary file", "Generación ficha balance"));
    c_->LabelActiveTitle->setText(text3("Fiche active :", "Open record:", "Ficha activa:"));
    c_->LabelSaveAs->setText(text3("Sauver la fiche sous le nom", "Save the record as", "Guardar la ficha con el nombre"));
    c_->sbSave->setText(text3("Valider", "Confirm", "Validar"));
    c_->LabelList->setText(text3("Liste des patients", "Patient list", "Lista de pacientes"));
    c_->sbNew->setText(text3("Fiche vierge", "Blank record", "Ficha en blanco"));
    c_->sbClearSpace->setText(text3("Tout effacer", "Clear all", "Borrar todo"));
    c_->sbClearSpace->setToolTip(text3("Tout effacer", "Clear all", "Borrar todo"));
    c_->sbErasePatient->setText(text3("Effacer le fichier", "Erase the file", "Borrar el archivo"));
    c_->sbQuit->setText(text3("Mettre à jour et quitter", "Update and close", "Actualizar y salir"));
    c_->sbQuit->setToolTip(c_->sbQuit->text());
    c_->sbHelp->setText(languageText(kTextHelp));
    c_->LabelSearch->setText(text3("Rechercher:", "Search:", "Buscar:"));
    c_->LabelSavePatho->setText(text3("Sauver dans la fiche patient", "Save in the patient record",
        "Guardar en la ficha del paciente"));
    c_->sbSavePatho->setText(text3("Sauver", "Save", "Guardar"));
    c_->selfAssessment->setLanguage(language());
    c_->beforeAfter->setLanguage(language());
    c_->summaryPage->setLanguage(language(), state().expertMode);
}

void TFormPatient::loadAnamnesisTree()
{
    c_->TreeView->clear();
    c_->lastInserted = nullptr;
    c_->tree = readAnamnesisFile(referenceFile(anamnesisFileName(language())));
    const auto add = [](auto& self, QTreeWidgetItem* item, const AnamnesisEntry& entry) -> void {
        item->setText(0, qs(entry.text));
        item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<const void*>(&entry)));
        QFont font = item->font(0);
        font.setPointSize(entry.level == 0 ? 12 : entry.level == 1 ? 11 : 10);
        font.setBold(entry.level == 0);
        font.setItalic(entry.level == 1);
        item->setFont(0, font);
        for (const AnamnesisEntry& child : entry.children)
            self(self, new QTreeWidgetItem(item), child);
    };
    for (const AnamnesisEntry& entry : c_->tree)
        add(add, new QTreeWidgetItem(c_->TreeView), entry);
}

void TFormPatient::fillClassificationList()
{
    const Language lang = language();
    c_->MemoClassification->setPlainText(QString::fromUtf8(kClassificationSource.in(lang)) + "\n"
        + QString::fromUtf8(kClassificationReference.in(lang)) + "\n ");
    c_->ListPatho->clear();
    for (const VoiceDisorder& entry : state().referenceFiles.voiceDisorders.entries()) {
        const QString code = QString::number(entry.code);
        const QString line = code + " - " + qs(entry.label).trimmed();
        if (code.size() >= 3 && code[1] == '0' && code[2] == '0') {
            c_->MemoClassification->appendPlainText(line);
            c_->ListPatho->addItem("-");
        }
        c_->ListPatho->addItem(line);
    }
    if (c_->ListPatho->count() == 0)
        c_->ListPatho->addItem(QString::fromUtf8(kNoClassification.in(lang)));
    else
        c_->ListPatho->setCurrentRow(0);
}

// --- The document --------------------------------------------------------------------

void TFormPatient::appendPatientLine(const std::string& text)
{
    QTextDocument* document = c_->RichEdit->document();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    const bool empty = document->blockCount() == 1 && document->firstBlock().length() <= 1;
    if (!empty)
        cursor.insertBlock();
    cursor.insertText(qs(text), c_->lineFormat);
}

void TFormPatient::setLineAttributes(bool bold, const QColor& colour)
{
    c_->lineFormat.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    c_->lineFormat.setForeground(colour);
    c_->lineFormat.setFontPointSize(kDocumentPointSize);
    c_->lineFormat.setFontItalic(false);
}

void TFormPatient::resetLineAttributes()
{
    setLineAttributes(false, Qt::black);
}

std::string TFormPatient::patientLine(int index) const
{
    const std::vector<std::string> lines = documentLines();
    return index >= 0 && index < static_cast<int>(lines.size()) ? lines[static_cast<std::size_t>(index)] : std::string();
}

std::vector<std::string> TFormPatient::documentLines() const
{
    return rtfDocumentOf(*c_->RichEdit->document()).plainLines();
}

const PatientSummary& TFormPatient::summary() const
{
    return c_->summary;
}

std::string TFormPatient::summaryName() const
{
    return c_->summaryPage->nameBox().text().toStdString();
}

fs::path TFormPatient::prepareWorkingFolder()
{
    DataFolders& folders = program().folders();
    std::error_code ignored;
    fs::create_directories(folders.patientsFolder(), ignored);
    folders.enterPatientsFolder();
    return folders.patientsFolder();
}

bool TFormPatient::loadDocument(const fs::path& file)
{
    const RtfReadResult read = readRtfFile(file);
    if (!read.ok) {
        program().errors().DisplayError(text3(kUnreadableRecord).toStdString() + file.filename().string()
                + " (" + read.error + ")",
            text3(kUnreadableHint).toStdString());
        return false;
    }
    showRtfDocument(read.document, *c_->RichEdit->document());
    c_->RichEdit->document()->setModified(false);
    c_->RichEdit->moveCursor(QTextCursor::End);
    return true;
}

bool TFormPatient::loadTemplate()
{
    const fs::path file = referenceFile(recordTemplateName(language()));
    std::error_code ignored;
    if (!fs::exists(file, ignored)) {
        if (c_->created)
            program().errors().DisplayError(text3(kMissingTemplate).toStdString() + file.string(), "");
        return false;
    }
    return loadDocument(file);
}

bool TFormPatient::saveDocument(const std::string& fileName)
{
    QTextDocument& document = *c_->RichEdit->document();
    if (store().save(fileName, writeRtf(rtfDocumentOf(document)))) {
        document.setModified(false);
        return true;
    }
    program().errors().DisplayError(text3(kUnsaved).toStdString() + (store().folder() / fileName).string(),
        text3(kUnsavedHint).toStdString());
    return false;
}

// A record left unchanged since it was opened or saved is not written
// again: opening a record right after the start must not replace the file
// of an earlier unnamed record with the blank template.
bool TFormPatient::saveOnLeave()
{
    const std::string& name = state().currentPatientName;
    return name.empty() || !c_->RichEdit->document()->isModified() || saveDocument(name + ".rtf");
}

void TFormPatient::setCurrentPatient(const std::string& name)
{
    state().currentPatientName = name;
    setWindowTitle(text3(kCaptionPrefix) + qs(name));
}

// --- The record's handlers ----------------------------------------------------------

void TFormPatient::showEvent(QShowEvent* event)
{
    ToolWindow::showEvent(event);
    FormActivate();
}

void TFormPatient::done(int result)
{
    saveOnLeave();
    ToolWindow::done(result);
}

void TFormPatient::FormActivate()
{
    program().folders().enterDataFolder();
    refreshList();
    c_->EditNew->clear();
    selectCurrentPatient();
    c_->FileListBox->setFocus();
}

void TFormPatient::refreshList()
{
    c_->FileListBox->clear();
    for (const std::string& name : store().list())
        c_->FileListBox->addItem(qs(name));
}

void TFormPatient::selectCurrentPatient()
{
    const QString wanted = qs(state().currentPatientName + ".RTF");
    for (int i = 0; i < c_->FileListBox->count(); ++i) {
        if (qs(withExtension(c_->FileListBox->item(i)->text().toStdString(), ".RTF")) == wanted) {
            c_->FileListBox->setCurrentRow(i);
            return;
        }
    }
    c_->FileListBox->setCurrentRow(-1);
}

void TFormPatient::FileListClick()
{
    const QListWidgetItem* item = c_->FileListBox->currentItem();
    if (!item)
        return;
    const std::string fileName = withExtension(item->text().toStdString(), ".RTF");
    const std::string name = patientNameFromFileName(fileName, defaultName());
    if (!saveOnLeave())
        return;
    c_->summaryPage->anamnesisMemo().clear();
    c_->beforeAfter->clear();
    c_->EditNew->clear();
    const fs::path file = store().find(fileName);
    std::error_code ignored;
    if (fs::exists(file, ignored) && !loadDocument(file)) {
        selectCurrentPatient();
        return;
    }
    setCurrentPatient(name);
    UpdatePatientName(0);
}

void TFormPatient::FileListBoxChange()
{
    program().record().resetSaveCounter();
    ClearAutoEvaluation();
    ClearId();
    ClearEndurance();
    UpdateSummaryFromPatientFile();
    c_->summaryPage->RecomputeAutoevalTotal();
}

// Without its template a blank record is an empty document: the record
// that was open must not stay on screen under the new record's name.
void TFormPatient::showBlankRecord()
{
    if (!loadTemplate()) {
        c_->RichEdit->clear();
        c_->RichEdit->document()->setModified(false);
    }
}

void TFormPatient::startBlankRecord()
{
    showBlankRecord();
    c_->FileListBox->setCurrentRow(-1);
    setCurrentPatient(defaultName());
    c_->EditNew->clear();
    program().record().resetSaveCounter();
    UpdatePatientName(1);
}

void TFormPatient::sbNewClick()
{
    if (saveOnLeave())
        startBlankRecord();
}

void TFormPatient::sbClearSpaceClick()
{
    sbNewClick();
}

void TFormPatient::sbSaveClick()
{
    if (c_->EditNew->text().isEmpty())
        c_->EditNew->setText(QStringLiteral("nouveau"));
    const std::string typed = c_->EditNew->text().toStdString();
    const std::string fileName = withExtension(typed, ".RTF");
    const std::string name = patientNameFromFileName(fileName, defaultName());
    // A name without letters before its first "-" or "." would leave the
    // record without a patient name (never saved on leave) or hidden.
    if (leavesDataFolder(typed) || name.empty() || typed.front() == '.') {
        program().errors().DisplayError(text3(kRefusedName).toStdString() + typed, text3(kRefusedHint).toStdString());
        return;
    }
    setCurrentPatient(name);
    UpdatePatientName(0);
    if (saveDocument(fileName)) {
        refreshList();
        selectCurrentPatient();
    }
}

void TFormPatient::sbQuitClick()
{
    if (saveOnLeave())
        close();
}

void TFormPatient::sbErasePatientClick()
{
    const QListWidgetItem* item = c_->FileListBox->currentItem();
    if (!item || !item->isSelected())
        return;
    const std::string fileName = withExtension(item->text().toStdString(), ".RTF");
    if (!store().erase(fileName)) {
        program().errors().DisplayError(text3(kNotErased).toStdString() + fileName, "");
        return;
    }
    showBlankRecord();
    c_->EditNew->clear();
    setCurrentPatient(defaultName());
    refreshList();
    UpdatePatientName(1);
}

void TFormPatient::sbHelpClick()
{
    program().folders().openHelp();
}

void TFormPatient::PageControlPatientChange()
{
    UpdateSummaryFromPatientFile();
}

void TFormPatient::UpdatePatientName(int option)
{
    c_->summaryPage->ResetDone();
    const std::string& name = state().currentPatientName;
    c_->LabelActive->setText(qs(name));
    if (option != 1 || documentLines().empty())
        return;
    const std::string defaultText = defaultName();
    if (prefixMatch(defaultText, name, defaultText.size()))
        return;
    QTextCursor cursor(c_->RichEdit->document()->firstBlock());
    cursor.select(QTextCursor::BlockUnderCursor);
    cursor.insertText(text3(kNameLine) + qs(name));
}

void TFormPatient::UpdateSummaryFromPatientFile()
{
    PatientSummary& summary = c_->summary;
    c_->selfAssessment->hideMarks();
    c_->summaryPage->readInto(summary);
    std::vector<std::string> classification;
    for (int i = 0; i < c_->ListPatho->count(); ++i)
        classification.push_back(c_->ListPatho->item(i)->text().toStdString());
    summary.classificationChoice.clear();
    readSummaryLines(documentLines(), language(), summary, classification);
    if (!summary.classificationChoice.empty()) {
        const QString choice = qs(summary.classificationChoice);
        const auto found = c_->ListPatho->findItems(choice, Qt::MatchExactly);
        if (!found.isEmpty())
            c_->ListPatho->setCurrentItem(found.first());
        c_->ComboClassification->setCurrentText(choice);
    }
    c_->summaryPage->show(summary);
    // The track bars follow the record's self-assessment blocks; without one
    // they keep what the patient is answering.
    if (!summary.assessments.empty())
        c_->selfAssessment->setScores(summary.scores);
    c_->selfAssessment->showMarks(summary.assessments);
    const SavedPictures& p = state().pictures;
    c_->summaryPage->showPictures({p.spectrogram, p.power, p.vocalRange, p.phonetogram});
}

void TFormPatient::ClearMarkers()
{
    program().spectrumRT().ClearVoiceParams();
    ClearAutoEvaluation();
    ClearId();
    ClearEndurance();
}

void TFormPatient::ClearAutoEvaluation()
{
    c_->summary.clearAutoEvaluation();
    c_->selfAssessment->ClearAutoEvaluation();
    c_->summaryPage->show(c_->summary);
}

void TFormPatient::ClearId()
{
    c_->summary.clearId(language());
    c_->summaryPage->show(c_->summary);
}

void TFormPatient::ClearEndurance()
{
    c_->summary.clearEndurance();
    c_->summaryPage->show(c_->summary);
}

// --- Pages ---------------------------------------------------------------------------

void TFormPatient::TreeViewClick()
{
    const QTreeWidgetItem* item = c_->TreeView->currentItem();
    if (!item)
        return;
    const auto* entry = static_cast<const AnamnesisEntry*>(item->data(0, Qt::UserRole).value<const void*>());
    if (!entry || entry == c_->lastInserted)
        return;
    const AnamnesisInsertion insertion = anamnesisInsertion(*entry);
    QTextCharFormat format;
    format.setFontPointSize(insertion.pointSize);
    format.setFontItalic(insertion.italic);
    format.setFontWeight(QFont::Normal);
    format.setForeground(Qt::black);
    QTextCursor cursor = c_->RichEdit->textCursor();
    cursor.insertText(qs(insertion.text), format);
    QTextCharFormat normal = format;
    normal.setFontPointSize(kDocumentPointSize);
    normal.setFontItalic(false);
    cursor.setCharFormat(normal);
    c_->RichEdit->setTextCursor(cursor);
    c_->lastInserted = entry;
}

void TFormPatient::ListPathoClick()
{
    if (const QListWidgetItem* item = c_->ListPatho->currentItem())
        c_->ComboClassification->setCurrentText(item->text());
}

void TFormPatient::EditSearchChange()
{
    QComboBox* combo = c_->ComboClassification;
    combo->clear();
    const std::string search = c_->EditSearch->text().toStdString();
    if (search.empty())
        return;
    for (int i = 1; i < c_->ListPatho->count(); ++i) {
        const QString entry = c_->ListPatho->item(i)->text();
        if (containsIgnoringAsciiCase(entry.toStdString(), search)) {
            combo->addItem(entry);
            combo->setCurrentIndex(combo->count() - 1);
        }
    }
}

void TFormPatient::sbSavePathoClick()
{
    appendPatientLine(" ");
    setLineAttributes(true);
    appendPatientLine(text3(kClassificationLabel).toStdString() + ": "
        + c_->ComboClassification->currentText().toStdString());
    resetLineAttributes();
}

void TFormPatient::sbPatientClick()
{
    const SelfAssessmentBlock block =
        selfAssessmentBlock(c_->selfAssessment->scores(), shortDateToday(), language());
    for (std::size_t i = 0; i < block.lines.size(); ++i) {
        if (i == block.boldLine)
            setLineAttributes(true);
        appendPatientLine(block.lines[i]);
        if (i == block.boldLine)
            resetLineAttributes();
    }
    UpdateSummaryFromPatientFile();
}

void TFormPatient::UpdateAAvant(const std::string& fileName)
{
    updateRecording(true, fileName);
}

void TFormPatient::UpdateAApres(const std::string& fileName)
{
    updateRecording(false, fileName);
}

void TFormPatient::updateRecording(bool before, const std::string& fileName)
{
    const AnalysisState& a = state().analysis();
    IndicatorRecording recording;
    recording.values = {a.attackAlteration, a.pitchInstability, a.amplitudeInstability, a.noiseSignalRatio,
        a.harmonicPoverty};
    recording.fileName = fileName;
    const std::int64_t seconds = program().spectrumRT().currentSoundDate();
    const QString date = QString::fromStdString(seconds > 0 ? shortDate(seconds) : shortDateToday());
    c_->beforeAfter->showRecording(before, recording, date, recordingSpectrogram(a, 400, 160));
}

void TFormPatient::chooseRecording(bool before)
{
    const std::optional<std::string> file = c_->dialogs->chooseSoundFile(*this, text3(kChooseRecording));
    if (!file)
        return;
    program().spectrumRT().DoLoadFile(*file);
    updateRecording(before, fs::path(*file).filename().string());
}

void TFormPatient::sbAAvantClick()
{
    chooseRecording(true);
}

void TFormPatient::sbAApresClick()
{
    chooseRecording(false);
}

void TFormPatient::sbGenerateFileClick()
{
    const Language lang = language();
    const QString proposed = qs((program().folders().patientsFolder() / reportDefaultFileName(lang)).string());
    const std::optional<std::string> chosen = c_->dialogs->chooseReportFile(*this, text3(kSaveReport), proposed);
    if (!chosen)
        return;
    const fs::path output(*chosen);
    SummaryPage& page = *c_->summaryPage;
    const ReportResult result = generateSummaryReport(referenceFile(reportTemplateName(lang)), output,
        page.reportValues(shortDateToday()), lang, [&page](int percent) {
            page.setProgress(percent);
            QApplication::processEvents();
        });
    page.setKeywordLog(result.log);
    if (result.status != ReportStatus::Done) {
        const ReportMessage message = reportErrorMessage(result.status, lang, output.filename().string());
        program().errors().DisplayError(message.first, message.second);
        return;
    }
    program().shell().openDocument(output.string());
    page.setProgress(100);
    QApplication::processEvents();
    page.showDone(output.filename().string());
}

// --- Helpers -------------------------------------------------------------------------

void TFormPatient::showBeforeAfterPage()
{
    c_->pages->setCurrentWidget(c_->tabAvantApres);
}

QString TFormPatient::currentPageName() const
{
    return c_->pages->currentWidget()->objectName();
}

void TFormPatient::setFileDialogs(PatientFileDialogs& dialogs)
{
    c_->dialogs = &dialogs;
}

std::string TFormPatient::defaultName() const
{
    return defaultPatientName(language());
}

fs::path TFormPatient::referenceFile(const char* name) const
{
    return program().folders().dataFolder() / "reference" / name;
}

PatientStore TFormPatient::store() const
{
    return PatientStore(program().folders().dataFolder());
}

} // namespace tiravel
