#include "ui/CreditsLines.h"

#include <array>

namespace {

constexpr std::array<CreditsLine, 36> kLines{{
    {0.0f, 2.5f, "HALVARO INSTITUTE OF INTERACTIVE ARTS"},
    {5.0f, 1.25f, "PRESENTS"},
    {12.0f, 1.5f, "An Orrindale production"},
    {25.0f, 2.25f, "VENDRABOLT"},
    {38.0f, 1.25f, "www.orrindale-games.example"},
    {50.0f, 1.25f, "All content (c) Halvaro Institute of Interactive Arts, all rights reserved."},
    {75.0f, 1.5f, "DEVELOPED BY"},
    {81.0f, 1.25f, "Mira Tollan - Producer/Graphics Programmer"},
    {87.0f, 1.25f, "Quentin Aske - Lead Designer"},
    {93.0f, 1.25f, "Ida Brennvik - Director/Build Manager"},
    {99.0f, 1.25f, "Oskar Fenwold - Tech Director"},
    {105.0f, 1.25f, "Lena Marrick - Gameplay/Input Programmer"},
    {111.0f, 1.25f, "Tove Harlan - Artist"},
    {117.0f, 1.25f, "Ruben Castrel - Additional Design/Direction"},
    {123.0f, 1.25f, "Nell Varga - Additional Design/Production"},
    {129.0f, 1.25f, "Emil Sorrow - Original Soundtrack"},
    {141.0f, 1.5f, "INSTRUCTORS"},
    {147.0f, 1.25f, "Agnes Pell"},
    {153.0f, 1.25f, "Dorian Welk"},
    {159.0f, 1.25f, "Harriet Onsley"},
    {165.0f, 1.25f, "Jonas Trevik"},
    {171.0f, 1.25f, "Maren Ostby"},
    {181.0f, 1.5f, "PRESIDENT"},
    {187.0f, 1.25f, "Corwin Lathe"},
    {206.0f, 1.5f, "EXECUTIVES"},
    {212.0f, 1.25f, "Elsa Brandvold"},
    {218.0f, 1.25f, "Fergus Hale"},
    {224.0f, 1.25f, "Greta Lindqvist"},
    {230.0f, 1.25f, "Henrik Moss"},
    {236.0f, 1.25f, "Iris Calloway"},
    {242.0f, 1.25f, "Julian Stroud"},
    {248.0f, 1.25f, "Kaja Renholt"},
    {254.0f, 1.25f, "Leopold Ashby"},
    {260.0f, 1.25f, "Mona Greaves"},
    {266.0f, 1.25f, "Nils Achterberg"},
    {272.0f, 1.5f, "Made using SDL2_mixer, courtesy of the SDL project"},
}};

} // namespace

std::span<const CreditsLine> GetCreditsLines()
{
    return kLines;
}
