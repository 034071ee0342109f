"""Colour themes of the level tiles. Every colour here is checked against the bloom limit when drawn."""
from common import hexrgb


class Theme:
    def __init__(self, folder, seed, **colours):
        self.folder = folder
        self.seed = seed
        for k, v in colours.items():
            setattr(self, k, hexrgb(v) if isinstance(v, str) else v)


THEMES = [
    # Mossy green cavern: violet-grey cobbles under bright moss.
    Theme(
        "Green", 11,
        fill="#43395A", fill_dark="#2C2540", fill_light="#5A4D72", crack="#231C35",
        speck="#3F6A3A",
        top="#4E9A3C", top_light="#70BE4E", top_dark="#356E2C",
        rim="#5B4E78", under="#2F2744", drip="#3F7A34",
        plat="#7A5233", plat_light="#9A6C44", plat_dark="#553823", plat_top="#5AA642",
        pipe="#6F7A8C", pipe_light="#98A3B4", pipe_dark="#464E5E",
        deco_a="#5FB048", deco_b="#3FA89A", deco_c="#9A5FC8", deco_d="#7A6A8E",
        bg_top="#101433", bg_bottom="#1B2A2E", nebula_a="#2B5A4E", nebula_b="#4A2E6A",
    ),
    # Frozen blue crystal field: deep-blue ice blocks under pale snow.
    Theme(
        "Ice", 23,
        fill="#21406F", fill_dark="#162A52", fill_light="#325A94", crack="#4A78B2",
        speck="#5A86C0",
        top="#6E86A0", top_light="#748AA2", top_dark="#56708E",
        rim="#3A6AA8", under="#1C3462", drip="#5C88BE",
        plat="#3E73B0", plat_light="#5A8EC6", plat_dark="#2A5288", plat_top="#6A8CB6",
        pipe="#6C7C98", pipe_light="#94A4BE", pipe_dark="#44506A",
        deco_a="#5AA8D8", deco_b="#7E9CC6", deco_c="#6A7AD8", deco_d="#5A7096",
        bg_top="#0A1030", bg_bottom="#14244A", nebula_a="#23497A", nebula_b="#3A3478",
    ),
    # Red desert rock: banded sandstone under an orange sand crust.
    Theme(
        "Desert", 37,
        fill="#7A3A2E", fill_dark="#552420", fill_light="#93503A", crack="#4A1E1C",
        speck="#A0603E",
        top="#C0804A", top_light="#CC9458", top_dark="#94582E",
        rim="#9A5440", under="#4C201E", drip="#7A3A2E",
        plat="#A8643C", plat_light="#C07A4A", plat_dark="#7A4028", plat_top="#C8904E",
        pipe="#7E7488", pipe_light="#A49AAE", pipe_dark="#544A60",
        deco_a="#4E9A5A", deco_b="#6AA860", deco_c="#C86A8A", deco_d="#8A5A48",
        bg_top="#140C2A", bg_bottom="#3A1A2A", nebula_a="#6A2A3A", nebula_b="#3A2660",
    ),
]

# Spawner colours by alien kind (kept below the bloom limit: the pipes are tiles).
KIND_COLOURS = {
    "normal": dict(rim="#4FA83A", rim_light="#6CC04C", slime="#5CC244", slime_light="#86D860"),
    "giant": dict(rim="#8E3FA8", rim_light="#AA5CC4", slime="#B04CC0", slime_light="#C870D0"),
    "golden": dict(rim="#C8982C", rim_light="#D8AE44", slime="#D0A030", slime_light="#E0BC50"),
}
