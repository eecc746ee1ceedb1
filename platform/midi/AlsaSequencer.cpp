#include "platform/midi/AlsaSequencer.h"

#include <alsa/asoundlib.h>
#include <unistd.h>

namespace plat {

namespace {

snd_seq_t* Seq(void* handle)
{
    return static_cast<snd_seq_t*>(handle);
}

constexpr unsigned kWritable = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;

} // namespace

std::unique_ptr<AlsaSequencer> AlsaSequencer::Open(const std::string& clientName)
{
    if (access("/dev/snd/seq", R_OK | W_OK) != 0)
        return nullptr;
    snd_seq_t* seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0 || !seq)
        return nullptr;
    snd_seq_set_client_name(seq, clientName.c_str());
    return std::unique_ptr<AlsaSequencer>(new AlsaSequencer(seq));
}

AlsaSequencer::AlsaSequencer(void* handle) : fHandle(handle)
{
    snd_midi_event_t* encoder = nullptr;
    if (snd_midi_event_new(256, &encoder) == 0)
        fEncoder = encoder;
}

AlsaSequencer::~AlsaSequencer()
{
    if (fEncoder)
        snd_midi_event_free(static_cast<snd_midi_event_t*>(fEncoder));
    snd_seq_close(Seq(fHandle));
}

std::vector<MidiEndpoint> AlsaSequencer::Destinations(MidiEndpoint tag)
{
    std::vector<MidiEndpoint> out;
    snd_seq_t* seq = Seq(fHandle);
    const int self = snd_seq_client_id(seq);
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(seq, client) >= 0) {
        const int id = snd_seq_client_info_get_client(client);
        if (id == self || id > 255)
            continue;
        snd_seq_port_info_set_client(port, id);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(seq, port) >= 0) {
            const int number = snd_seq_port_info_get_port(port);
            if ((snd_seq_port_info_get_capability(port) & kWritable) == kWritable && number <= 255)
                out.push_back(tag | MidiEndpoint(id) << 8 | MidiEndpoint(number));
        }
    }
    return out;
}

bool AlsaSequencer::Names(MidiEndpoint local, MidiDestinationNames& out)
{
    snd_seq_t* seq = Seq(fHandle);
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    const int clientId = int(local >> 8);
    const int portId = int(local & 0xFF);
    if (snd_seq_get_any_client_info(seq, clientId, client) < 0)
        return false;
    if (snd_seq_get_any_port_info(seq, clientId, portId, port) < 0)
        return false;
    out.hasDevice = true;
    out.device = snd_seq_client_info_get_name(client);
    out.entity.clear();
    out.endpoint = snd_seq_port_info_get_name(port);
    return true;
}

int AlsaSequencer::CreatePort(const std::string& name)
{
    return snd_seq_create_simple_port(Seq(fHandle), name.c_str(), SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                      SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
}

void AlsaSequencer::DeletePort(int port)
{
    snd_seq_delete_simple_port(Seq(fHandle), port);
}

void AlsaSequencer::Send(int port, MidiEndpoint local, const uint8_t* bytes, size_t length)
{
    auto* encoder = static_cast<snd_midi_event_t*>(fEncoder);
    if (!encoder)
        return;
    snd_midi_event_reset_encode(encoder);
    while (length > 0) {
        snd_seq_event_t event;
        snd_seq_ev_clear(&event);
        const long used = snd_midi_event_encode(encoder, bytes, long(length), &event);
        if (used <= 0)
            return;
        bytes += used;
        length -= size_t(used);
        if (event.type == SND_SEQ_EVENT_NONE)
            continue;
        snd_seq_ev_set_source(&event, port);
        snd_seq_ev_set_dest(&event, int(local >> 8), int(local & 0xFF));
        snd_seq_ev_set_direct(&event);
        snd_seq_event_output_direct(Seq(fHandle), &event);
    }
}

} // namespace plat
