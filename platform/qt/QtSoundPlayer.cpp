#include "QtSoundPlayer.h"

#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace tiravel {

namespace {

// A local sound loads in milliseconds; a file still loading after this is
// one Qt waits on for ever (a chunk that claims more bytes than there are).
constexpr int kLoadLimitMs = 2000;
constexpr qint64 kWavHeaderBytes = 44;

// A RIFF file of the WAVE form, at least as long as a WAV header.
bool looksLikeWav(const QFileInfo& file)
{
    QFile wav(file.absoluteFilePath());
    if (file.size() < kWavHeaderBytes || !wav.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = wav.read(12);
    return start.size() == 12 && start.startsWith("RIFF") && start.endsWith("WAVE");
}

} // namespace

QtSoundPlayer::QtSoundPlayer(ErrorCallback onError)
    : loadLimit_(std::make_unique<QTimer>())
    , onError_(std::move(onError))
{
    loadLimit_->setSingleShot(true);
    loadLimit_->setInterval(kLoadLimitMs);
    QObject::connect(loadLimit_.get(), &QTimer::timeout, loadLimit_.get(), [this] { onLoadLimit(); });
}

QtSoundPlayer::~QtSoundPlayer()
{
    delete effect_;
}

void QtSoundPlayer::playAsync(const std::string& wavPath)
{
    discardEffect();
    const QFileInfo file(QString::fromStdString(wavPath));
    if (!file.isFile() || !file.isReadable()) {
        report("Sound file not found: " + wavPath);
        return;
    }
    if (!looksLikeWav(file)) {
        report("Not a WAV file: " + wavPath);
        return;
    }
    if (QMediaDevices::audioOutputs().isEmpty()) {
        report("No audio output device: " + wavPath + " is not played");
        return;
    }
    effect_ = new QSoundEffect;
    effectPath_ = wavPath;
    QObject::connect(effect_, &QSoundEffect::statusChanged, effect_, [this] { onStatusChanged(); });
    loadLimit_->start();
    effect_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    effect_->play();
}

void QtSoundPlayer::stop()
{
    discardEffect();
}

bool QtSoundPlayer::playing() const
{
    return effect_ != nullptr && (effect_->status() == QSoundEffect::Loading || effect_->isPlaying());
}

// The effect may be the sender of the signal being handled: it is silenced
// at once and deleted from the event loop.
void QtSoundPlayer::discardEffect()
{
    if (effect_ == nullptr)
        return;
    loadLimit_->stop();
    QObject::disconnect(effect_, nullptr, nullptr, nullptr);
    effect_->stop();
    effect_->deleteLater();
    effect_ = nullptr;
}

void QtSoundPlayer::onStatusChanged()
{
    if (effect_ != nullptr && effect_->status() == QSoundEffect::Error)
        fail();
}

void QtSoundPlayer::onLoadLimit()
{
    if (effect_ != nullptr && effect_->status() == QSoundEffect::Loading)
        fail();
}

void QtSoundPlayer::fail()
{
    const std::string path = effectPath_;
    discardEffect();
    report("The sound file cannot be played: " + path);
}

void QtSoundPlayer::report(const std::string& message) const
{
    if (onError_)
        onError_(message);
}

} // namespace tiravel
