#include "SummaryPage.h"

#include "patient/SelfAssessment.h"
#include "analysis/Spectrum.h"
#include "patient/TextRules.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace tiravel {

namespace {

constexpr int kPictureCount = 4;
constexpr TriText kGenerateCaption {"Générer la fiche bilan", "Generate summary file", "Generación ficha balance"};
constexpr TriText kDoneCaption {"Terminé", "Completed", "Terminado"};
constexpr TriText kPictureCaptions[kPictureCount] = {{"Spectrogramme", "Spectrogram", "Espectrograma"},
    {"Puissance", "Power", "Potencia"}, {"Etendue vocale", "Vocal range", "Rango vocal"},
    {"Phonétogramme", "Phonetogram", "Fonetograma"}};
constexpr const char* kPictureNames[kPictureCount] = {"ImageSpectrum", "ImagePower", "ImageRange", "ImageProfile"};
constexpr const char* kComboNames[kFactorCount] = {"ComboComfort", "ComboEndurance", "ComboPerformance",
    "ComboQuality", "ComboAdaptation"};

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string text(const QLineEdit* edit)
{
    return edit->text().toStdString();
}

ReportPicture reportPicture(const QImage& image, bool present)
{
    ReportPicture picture;
    if (!present || image.isNull())
        return picture;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    picture.present = true;
    picture.width = rgb.width();
    picture.height = rgb.height();
    picture.rgb.reserve(static_cast<std::size_t>(rgb.width()) * static_cast<std::size_t>(rgb.height()) * 3);
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* line = rgb.constScanLine(y);
        picture.rgb.insert(picture.rgb.end(), line, line + static_cast<std::ptrdiff_t>(rgb.width()) * 3);
    }
    return picture;
}

} // namespace

SummaryPage::SummaryPage(QWidget* parent)
    : QWidget(parent)
    , MemoAnamnese_(new QPlainTextEdit(this))
    , sbGenerateFile_(new QPushButton(this))
    , ProgressRtf_(new QProgressBar(this))
    , LabelDone_(new QLabel(this))
    , MemoKeywords_(new QPlainTextEdit(this))
{
    auto* grid = new QGridLayout(this);
    auto* identity = new QGridLayout;
    auto* measures = new QGridLayout;
    grid->addLayout(identity, 0, 0);
    grid->addLayout(measures, 0, 1);

    const auto field = [this](QGridLayout* layout, const char* name, TriText caption) {
        auto* label = new QLabel(this);
        QLineEdit* edit = addField(name);
        captions_.emplace_back(label, caption);
        const int row = layout->rowCount();
        layout->addWidget(label, row, 0);
        layout->addWidget(edit, row, 1);
        return edit;
    };
    EditSummaryName_ = field(identity, "EditSummaryName", {"Nom", "Name", "Nombre"});
    EditSummarySurname_ = field(identity, "EditSummarySurname", {"Prénom", "Surname", "Apellidos"});
    EditSummarySex_ = field(identity, "EditSummarySex", {"Sexe", "Sex", "Sexo"});
    EditSummaryBirthDate_ = field(identity, "EditSummaryBirthDate", {"Date de naissance", "Birth date", "Fecha de nacimiento"});
    EditSummaryJob_ = field(identity, "EditSummaryJob", {"Profession", "Job", "Profesión"});
    EditSummaryReason_ = field(identity, "EditSummaryReason", {"Motif", "Reason", "Objeto"});
    EditSummaryClassification_ = field(identity, "EditSummaryClassification", {"Pathologie", "Pathology", "Patología"});
    for (int f = 0; f < kFactorCount; ++f) {
        auto* label = new QLabel(this);
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(kComboNames[f]));
        combo->setEditable(true);
        for (int s = 1; s <= 5; ++s)
            combo->addItem(QString::number(s));
        connect(combo, &QComboBox::currentTextChanged, this, [this] { RecomputeAutoevalTotal(); });
        factorCombos_[static_cast<std::size_t>(f)] = combo;
        captions_.emplace_back(label, kLanguageTextTable[static_cast<std::size_t>(13 + f)]);
        const int row = identity->rowCount();
        identity->addWidget(label, row, 0);
        identity->addWidget(combo, row, 1);
    }
    EditSummaryTotal_ = field(identity, "EditSummaryTotal", {"Score", "Score", "Puntuación"});
    EditSummaryTotal_->setMinimumWidth(175);

    EditSummaryTPM_ = field(measures, "EditSummaryTPM", {"TPM /a/ (s)", "MPT /a/ (s)", "TMF /a/ (s)"});
    EditSummarySZ_ = field(measures, "EditSummarySZ", {"Rapport S/Z", "S/Z ratio", "Ratio S/Z"});
    EditSummaryAZ_ = field(measures, "EditSummaryAZ", {"Rapport A/Z", "A/Z ratio", "Ratio A/Z"});
    EditSummaryF0_ = field(measures, "EditSummaryF0", {"F0 moyen", "Average F0", "F0 medio"});
    EditSummaryRange_ = field(measures, "EditSummaryRange", {"Etendue vocale", "Vocal range", "Rango vocal"});
    EditSummaryNotes_ = field(measures, "EditSummaryNotes", {"Etendue en notes", "Range in notes", "Rango en notas"});
    EditSummaryAA_ = field(measures, "EditSummaryAA", kLanguageTextTable[39]);
    EditSummaryIH_ = field(measures, "EditSummaryIH", kLanguageTextTable[40]);
    EditSummaryIA_ = field(measures, "EditSummaryIA", kLanguageTextTable[41]);
    EditSummarySNR_ = field(measures, "EditSummarySNR", kLanguageTextTable[42]);
    EditSummaryPH_ = field(measures, "EditSummaryPH", kLanguageTextTable[43]);
    auto* anamnesisLabel = new QLabel(this);
    captions_.emplace_back(anamnesisLabel, kLanguageTextTable[36]);
    MemoAnamnese_->setObjectName("MemoAnamnese");
    measures->addWidget(anamnesisLabel, measures->rowCount(), 0, 1, 2);
    measures->addWidget(MemoAnamnese_, measures->rowCount(), 0, 1, 2);

    identity->setRowStretch(identity->rowCount(), 1);
    auto* pictures = new QGridLayout;
    for (int i = 0; i < kPictureCount; ++i) {
        auto* caption = new QLabel(this);
        captions_.emplace_back(caption, kPictureCaptions[i]);
        auto* image = new QLabel(this);
        image->setObjectName(QString::fromLatin1(kPictureNames[i]));
        image->setMinimumSize(80, 48);
        image->setMaximumSize(240, 144);
        image->setScaledContents(true);
        image->setFrameShape(QFrame::StyledPanel);
        images_[static_cast<std::size_t>(i)] = image;
        pictures->addWidget(caption, (i / 2) * 2, i % 2);
        pictures->addWidget(image, (i / 2) * 2 + 1, i % 2);
    }
    grid->addLayout(pictures, 0, 2, Qt::AlignTop);

    sbGenerateFile_->setObjectName("sbGenerateFile");
    ProgressRtf_->setObjectName("ProgressRtf");
    ProgressRtf_->setRange(0, 100);
    ProgressRtf_->setValue(0);
    LabelDone_->setObjectName("LabelDone");
    LabelDone_->setWordWrap(true);
    MemoKeywords_->setObjectName("MemoKeywords");
    MemoKeywords_->setReadOnly(true);
    auto* report = new QVBoxLayout;
    report->addWidget(sbGenerateFile_);
    report->addWidget(ProgressRtf_);
    report->addWidget(LabelDone_);
    report->addWidget(MemoKeywords_, 1);
    grid->addLayout(report, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    ResetDone();
}

QLineEdit* SummaryPage::addField(const char* name)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMinimumWidth(90);
    return edit;
}

void SummaryPage::setLanguage(Language language, bool expertMode)
{
    language_ = language;
    for (auto& [label, caption] : captions_)
        label->setText(QString::fromUtf8(caption.in(language)));
    MemoKeywords_->setVisible(expertMode);
    ResetDone();
}

std::vector<SummaryPage::Field> SummaryPage::fields() const
{
    using S = PatientSummary;
    return {{EditSummaryName_, &S::name}, {EditSummarySurname_, &S::surname}, {EditSummarySex_, &S::sex},
        {EditSummaryBirthDate_, &S::birthDate}, {EditSummaryJob_, &S::job}, {EditSummaryReason_, &S::reason},
        {EditSummaryClassification_, &S::classification}, {EditSummaryTotal_, &S::total},
        {EditSummaryTPM_, &S::phonationTime}, {EditSummarySZ_, &S::ratioSZ}, {EditSummaryAZ_, &S::ratioAZ},
        {EditSummaryF0_, &S::meanF0}, {EditSummaryRange_, &S::vocalRange}, {EditSummaryNotes_, &S::rangeNotes},
        {EditSummaryAA_, &S::attackAlteration}, {EditSummaryIH_, &S::pitchInstability},
        {EditSummaryIA_, &S::amplitudeInstability}, {EditSummarySNR_, &S::noiseSignal},
        {EditSummaryPH_, &S::harmonicPoverty}};
}

void SummaryPage::show(const PatientSummary& s)
{
    for (const auto& [box, member] : fields()) {
        // The total is recomputed below; the reason and the classification
        // are never cleared, only replaced by what the record gives.
        const bool kept = member == &PatientSummary::total
            || ((member == &PatientSummary::reason || member == &PatientSummary::classification) && (s.*member).empty());
        if (!kept)
            box->setText(qs(s.*member));
    }
    for (std::size_t f = 0; f < kFactorCount; ++f)
        factorCombos_[f]->setCurrentText(QString::number(s.scores[f]));
    QStringList lines;
    for (const std::string& line : s.anamnesis)
        lines << qs(line);
    MemoAnamnese_->setPlainText(lines.join('\n'));
    RecomputeAutoevalTotal();
}

void SummaryPage::readInto(PatientSummary& s) const
{
    for (const auto& [box, member] : fields())
        s.*member = text(box);
    for (std::size_t f = 0; f < kFactorCount; ++f)
        s.scores[f] = roundEven(readLenientNumber(factorCombos_[f]->currentText().toStdString(), 2, 5, 1).value);
}

void SummaryPage::RecomputeAutoevalTotal()
{
    double sum = 0;
    for (const QComboBox* combo : factorCombos_)
        sum += readLenientNumber(combo->currentText().toStdString(), 2, 5, 1).value;
    EditSummaryTotal_->setText(qs(summaryTotalText(sum, language_)));
}

void SummaryPage::showPictures(const std::array<std::string, 4>& paths)
{
    for (std::size_t i = 0; i < kPictureCount; ++i) {
        const QString path = qs(paths[i]);
        QImage image;
        present_[i] = !path.isEmpty() && QFile::exists(path) && image.load(path);
        pictures_[i] = present_[i] ? image : QImage();
        if (present_[i])
            images_[i]->setPixmap(QPixmap::fromImage(image));
        else
            images_[i]->clear();
    }
}

SummaryReportValues SummaryPage::reportValues(const std::string& today) const
{
    PatientSummary s;
    readInto(s);
    SummaryReportValues v;
    v.sex = s.sex;
    v.name = s.name;
    v.consultationDate = today;
    v.surname = s.surname;
    v.birthDate = s.birthDate;
    v.job = s.job;
    v.classification = s.classification;
    v.reason = s.reason;
    if (!MemoAnamnese_->toPlainText().isEmpty()) {
        for (const QString& line : MemoAnamnese_->toPlainText().split('\n'))
            v.anamnesis.push_back(line.toStdString());
    }
    v.phonationTime = s.phonationTime;
    v.pitchInstability = s.pitchInstability;
    v.attackAlteration = s.attackAlteration;
    v.amplitudeInstability = s.amplitudeInstability;
    v.noiseSignal = s.noiseSignal;
    v.harmonicPoverty = s.harmonicPoverty;
    v.ratioSZ = s.ratioSZ;
    v.meanF0 = s.meanF0;
    v.vocalRange = s.vocalRange;
    v.rangeNotes = s.rangeNotes;
    v.ratioAZ = s.ratioAZ;
    v.total = s.total;
    for (std::size_t f = 0; f < kFactorCount; ++f) {
        v.factorTexts[f] = factorCombos_[f]->currentText().toStdString();
        for (int score = 1; score <= 5; ++score)
            v.factorAnswers[f][static_cast<std::size_t>(score - 1)] = factorAnswer(static_cast<int>(f), score, language_);
    }
    for (std::size_t i = 0; i < kPictureCount; ++i)
        v.pictures[i] = reportPicture(pictures_[i], present_[i]);
    return v;
}

void SummaryPage::ResetDone()
{
    LabelDone_->hide();
    sbGenerateFile_->setText(QString::fromUtf8(kGenerateCaption.in(language_)));
}

void SummaryPage::showDone(const std::string& fileName)
{
    LabelDone_->setText(qs(reportDoneText(language_, fileName)));
    LabelDone_->show();
    sbGenerateFile_->setText(QString::fromUtf8(kDoneCaption.in(language_)));
}

void SummaryPage::setProgress(int percent)
{
    ProgressRtf_->setValue(percent);
}

void SummaryPage::setKeywordLog(const std::vector<std::string>& lines)
{
    QStringList text;
    for (const std::string& line : lines)
        text << qs(line);
    MemoKeywords_->setPlainText(text.join('\n'));
}

void SummaryPage::setGenerateAction(std::function<void()> action)
{
    connect(sbGenerateFile_, &QPushButton::clicked, this, std::move(action));
}

} // namespace tiravel
