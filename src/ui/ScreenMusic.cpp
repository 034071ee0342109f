#include "ui/ScreenMusic.h"

#include "audio/SoundEvent.h"

void PlayScreenMusic(fb::SoundEvent& music, const std::string& file)
{
    music.SetGroup("Music");
    music.SetFile(file);
    music.SetStream(true);
    music.SetLoop(true);
    music.SetVolume(0.5f);
    music.Play();
}
