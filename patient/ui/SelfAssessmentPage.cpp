#include "SelfAssessmentPage.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

#include <initializer_list>

namespace tiravel {

namespace {

constexpr const char* kFactorObjectNames[kFactorCount] = {"Confort", "Endurance", "Performance", "Qualite",
    "Adaptation"};
constexpr int kLowestScore = 1;
constexpr int kHighestScore = 5;
constexpr int kStartScore = 3;
constexpr int kFirstBlackCaption = 4;

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

int totalOf(const std::array<int, kFactorCount>& scores)
{
    int total = 0;
    for (int score : scores)
        total += score;
    return total;
}

} // namespace

void paintScaleColour(QWidget& widget, const ScaleColour& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColor(colour.red, colour.green, colour.blue));
    widget.setAutoFillBackground(true);
    widget.setPalette(palette);
}

SelfAssessmentPage::SelfAssessmentPage(QWidget* parent)
    : QWidget(parent)
    , PanelTotal_(new QFrame(this))
    , LabelTotal_(new QLabel(PanelTotal_))
    , LabelTotal2_(new QLabel(PanelTotal_))
    , sbPatient_(new QPushButton(this))
{
    auto* grid = new QGridLayout(this);
    for (int f = 0; f < kFactorCount; ++f) {
        factors_[static_cast<std::size_t>(f)] = makeFactor(f);
        const Factor& row = factors_[static_cast<std::size_t>(f)];
        grid->addWidget(row.panel, f, 0);
        grid->addWidget(row.question, f, 1);
        grid->addWidget(row.answers, f, 2);
    }
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 3);

    PanelTotal_->setObjectName("PanelTotal");
    LabelTotal_->setObjectName("LabelTotal");
    LabelTotal2_->setObjectName("LabelTotal2");
    QFont big = LabelTotal_->font();
    big.setPointSize(14);
    big.setBold(true);
    LabelTotal_->setFont(big);
    auto* totalLayout = new QVBoxLayout(PanelTotal_);
    totalLayout->addWidget(LabelTotal_);
    totalLayout->addWidget(LabelTotal2_);
    before_ = makeMark("Before");
    after_ = makeMark("After");
    for (const Mark* mark : {&before_, &after_}) {
        auto* row = new QHBoxLayout;
        row->addWidget(mark->shape);
        row->addWidget(mark->label);
        row->addWidget(mark->date, 1);
        totalLayout->addLayout(row);
    }
    sbPatient_->setObjectName("sbPatient");
    grid->addWidget(PanelTotal_, kFactorCount, 0, 1, 2);
    grid->addWidget(sbPatient_, kFactorCount, 2, Qt::AlignRight | Qt::AlignBottom);
    connect(sbPatient_, &QPushButton::clicked, this, [this] {
        if (save_)
            save_();
    });
    // Every track bar starts at 3 through its change handler: 15/25.
    for (Factor& row : factors_)
        row.track->setValue(kStartScore);
    hideMarks();
}

SelfAssessmentPage::Factor SelfAssessmentPage::makeFactor(int factor)
{
    const QString name = QString::fromLatin1(kFactorObjectNames[factor]);
    Factor row {new QFrame(this), nullptr, nullptr, new QLabel(this), new QPlainTextEdit(this)};
    row.panel->setObjectName("Panel" + name);
    row.panel->setMinimumWidth(160);
    row.caption = new QLabel(row.panel);
    row.caption->setObjectName("Label" + name);
    QFont bold = row.caption->font();
    bold.setBold(true);
    row.caption->setFont(bold);
    row.track = new QSlider(Qt::Horizontal, row.panel);
    row.track->setObjectName("Track" + name);
    row.track->setRange(kLowestScore, kHighestScore);
    row.track->setPageStep(1);
    row.track->setTickPosition(QSlider::TicksBelow);
    auto* layout = new QVBoxLayout(row.panel);
    layout->addWidget(row.caption);
    layout->addWidget(row.track);
    row.question->setObjectName("MemoQ" + name);
    row.question->setWordWrap(true);
    row.answers->setObjectName("Memo" + name);
    row.answers->setReadOnly(true);
    row.answers->setMaximumHeight(96);
    connect(row.track, &QSlider::valueChanged, this, [this, factor] { trackChange(factor); });
    return row;
}

SelfAssessmentPage::Mark SelfAssessmentPage::makeMark(const char* name)
{
    const QString suffix = QString::fromLatin1(name);
    Mark mark {new QLabel(PanelTotal_), new QFrame(PanelTotal_), new QLabel(PanelTotal_)};
    mark.label->setObjectName("LabelEval" + suffix);
    mark.shape->setObjectName("ShapeEval" + suffix);
    mark.shape->setFixedSize(18, 18);
    mark.shape->setFrameShape(QFrame::Box);
    mark.date->setObjectName("LabelDate" + suffix);
    return mark;
}

void SelfAssessmentPage::setLanguage(Language language)
{
    language_ = language;
    for (int f = 0; f < kFactorCount; ++f) {
        Factor& row = factors_[static_cast<std::size_t>(f)];
        row.question->setText(qs(factorQuestion(f, language)));
        QStringList lines;
        for (const std::string& line : answerMemoLines(f, language))
            lines << qs(line);
        row.answers->setPlainText(lines.join('\n'));
    }
    sbPatient_->setText(qs(TriText {"Sauvegarder dans le fichier patient", "Save in the patient file",
        "Guardar en la ficha del paciente"}.in(language)));
    UpdateAutoEvaluationFromFactors();
    UpdateTotal();
}

void SelfAssessmentPage::trackChange(int factor)
{
    Factor& row = factors_[static_cast<std::size_t>(factor)];
    const int position = row.track->value();
    paintScaleColour(*row.panel, colourScale(factorPanelValue(position)));
    row.caption->setText(qs(factorCaption(factor, position, language_)));
    QPalette palette = row.caption->palette();
    palette.setColor(QPalette::WindowText, position < kFirstBlackCaption ? Qt::white : Qt::black);
    row.caption->setPalette(palette);
    scores_[static_cast<std::size_t>(factor)] = position;
    UpdateTotal();
    row.track->setToolTip(qs(factorAnswer(factor, position, language_)));
}

void SelfAssessmentPage::UpdateTotal()
{
    const int total = totalOf(scores_);
    paintScaleColour(*PanelTotal_, colourScale(totalPanelValue(total)));
    LabelTotal_->setText(qs(totalLabel(total, language_)));
    LabelTotal2_->setText(qs(bandText(total, language_)));
}

void SelfAssessmentPage::UpdateAutoEvaluationFromFactors()
{
    for (int f = 0; f < kFactorCount; ++f) {
        Factor& row = factors_[static_cast<std::size_t>(f)];
        const int score = scores_[static_cast<std::size_t>(f)];
        row.caption->setText(qs(factorCaption(f, score, language_)));
        const QSignalBlocker quiet(row.track);
        row.track->setValue(score);
        paintScaleColour(*row.panel, colourScale(factorPanelValue(score)));
        row.track->setToolTip(qs(factorAnswer(f, score, language_)));
    }
}

void SelfAssessmentPage::ClearAutoEvaluation()
{
    setScores({2, 2, 2, 2, 2});
}

void SelfAssessmentPage::setScores(const std::array<int, kFactorCount>& scores)
{
    scores_ = scores;
    UpdateAutoEvaluationFromFactors();
    UpdateTotal();
}

void SelfAssessmentPage::showMark(Mark& mark, const char* title, const AssessmentMark& assessment)
{
    const int total = totalOf(assessment.scores);
    mark.label->setText(QString::fromUtf8(title) + " " + qs(totalLabel(total, language_)));
    paintScaleColour(*mark.shape, colourScale(totalPanelValue(total)));
    mark.date->setText(qs(assessment.dateLine));
    for (QWidget* w : std::initializer_list<QWidget*> {mark.label, mark.shape, mark.date})
        w->show();
}

void SelfAssessmentPage::showMarks(const std::vector<AssessmentMark>& marks)
{
    hideMarks();
    if (marks.empty())
        return;
    showMark(before_, TriText {"Avant :", "Before:", "Antes:"}.in(language_), marks.front());
    if (marks.size() > 1)
        showMark(after_, TriText {"Après :", "After:", "Después:"}.in(language_), marks.back());
}

void SelfAssessmentPage::hideMarks()
{
    for (const Mark* mark : {&before_, &after_})
        for (QWidget* w : std::initializer_list<QWidget*> {mark->label, mark->shape, mark->date})
            w->hide();
}

} // namespace tiravel
