#include "platform/audio/AlsaMixer.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cmath>

namespace plat {

namespace {

// "hw:1,0" or "plughw:CARD=name,DEV=0" name a card; anything else uses the default one.
std::string CardOf(const std::string& pcmName)
{
    const size_t colon = pcmName.find(':');
    if (colon == std::string::npos)
        return "default";
    std::string card = pcmName.substr(colon + 1);
    card = card.substr(0, card.find(','));
    if (card.rfind("CARD=", 0) == 0)
        card = card.substr(5);
    return card.empty() ? "default" : "hw:" + card;
}

enum class Want { CaptureVolume, CaptureSource };

// Opens the card's mixer and finds the first element with a capture volume, or the first
// enumerated capture control.
class MixerElement {
public:
    explicit MixerElement(const std::string& pcmName, Want want = Want::CaptureVolume)
    {
        if (snd_mixer_open(&fMixer, 0) < 0) {
            fMixer = nullptr;
            return;
        }
        const std::string card = CardOf(pcmName);
        if (snd_mixer_attach(fMixer, card.c_str()) < 0 || snd_mixer_selem_register(fMixer, nullptr, nullptr) < 0
            || snd_mixer_load(fMixer) < 0)
            return;
        for (snd_mixer_elem_t* e = snd_mixer_first_elem(fMixer); e; e = snd_mixer_elem_next(e)) {
            const bool fits = want == Want::CaptureVolume ? snd_mixer_selem_has_capture_volume(e) != 0
                                                          : snd_mixer_selem_is_enum_capture(e) != 0;
            if (snd_mixer_selem_is_active(e) && fits) {
                fElem = e;
                break;
            }
        }
        if (want == Want::CaptureSource)
            return;
        if (fElem && snd_mixer_selem_get_capture_volume_range(fElem, &fMin, &fMax) < 0)
            fElem = nullptr;
        if (fMax <= fMin)
            fElem = nullptr;
    }
    ~MixerElement()
    {
        if (fMixer)
            snd_mixer_close(fMixer);
    }
    MixerElement(const MixerElement&) = delete;
    MixerElement& operator=(const MixerElement&) = delete;

    snd_mixer_elem_t* fElem = nullptr;
    long fMin = 0;
    long fMax = 0;

private:
    snd_mixer_t* fMixer = nullptr;
};

} // namespace

bool AlsaMixer::GetCaptureVolume(const std::string& pcmName, float& value)
{
    MixerElement m(pcmName);
    if (!m.fElem)
        return false;
    long best = m.fMin;
    bool any = false;
    for (int ch = 0; ch <= SND_MIXER_SCHN_LAST; ++ch) {
        const auto channel = snd_mixer_selem_channel_id_t(ch);
        long v = 0;
        if (!snd_mixer_selem_has_capture_channel(m.fElem, channel)
            || snd_mixer_selem_get_capture_volume(m.fElem, channel, &v) < 0)
            continue;
        best = any ? std::max(best, v) : v;
        any = true;
    }
    if (!any)
        return false;
    value = float(best - m.fMin) / float(m.fMax - m.fMin);
    return true;
}

std::vector<std::string> AlsaMixer::CaptureSources(const std::string& pcmName)
{
    std::vector<std::string> names;
    MixerElement m(pcmName, Want::CaptureSource);
    if (!m.fElem)
        return names;
    const int count = snd_mixer_selem_get_enum_items(m.fElem);
    for (int i = 0; i < count && i < 64; ++i) {
        char name[128] = {};
        if (snd_mixer_selem_get_enum_item_name(m.fElem, unsigned(i), sizeof name - 1, name) >= 0)
            names.emplace_back(name);
    }
    return names;
}

bool AlsaMixer::SelectCaptureSource(const std::string& pcmName, const std::string& source)
{
    MixerElement m(pcmName, Want::CaptureSource);
    if (!m.fElem)
        return false;
    const int count = snd_mixer_selem_get_enum_items(m.fElem);
    for (int i = 0; i < count && i < 64; ++i) {
        char name[128] = {};
        if (snd_mixer_selem_get_enum_item_name(m.fElem, unsigned(i), sizeof name - 1, name) >= 0 && source == name)
            return snd_mixer_selem_set_enum_item(m.fElem, SND_MIXER_SCHN_MONO, unsigned(i)) >= 0;
    }
    return false;
}

bool AlsaMixer::SetCaptureVolume(const std::string& pcmName, float value)
{
    MixerElement m(pcmName);
    if (!m.fElem)
        return false;
    const double level = std::clamp(double(value), 0.0, 1.0);
    const long v = m.fMin + std::lround(level * double(m.fMax - m.fMin));
    return snd_mixer_selem_set_capture_volume_all(m.fElem, v) >= 0;
}

} // namespace plat
