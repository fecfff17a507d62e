"""What the outlines must meet: per zone, in drawing order, each prefecture's
point count, first point (also the last), point before the closing point and
extent, in metres of the zone's plane rectangular coordinates (X east,
Y north).  The values are the program's stored single-precision values in
their shortest decimal form."""
from typing import NamedTuple


class Row(NamedTuple):
    name: str
    symbol: str          # the C++ identifier part, e.g. kZone6Fukui
    points: int          # stored points, the closing point included
    first: tuple         # first point, also the last one
    penultimate: tuple   # the point before the closing point
    extent: tuple        # (X min, X max, Y min, Y max)


REQUIRED_TABLE = {
    6: (
        Row("福井県", "Fukui", 124, (-21145.2, -70304.16), (-20720.67, -69933.77),
            (-47606.29, 64825.05, -73698.84, 37602.63)),
        Row("三重県", "Mie", 127, (1691.48, -253606.55), (3527.98, -250076.94),
            (-13449.04, 86559.72, -253606.55, -86084.25)),
        Row("滋賀県", "Shiga", 97, (3915.33, -138558.23), (4424.93, -135843.52),
            (-21145.2, 38725.18, -138558.23, -33866.67)),
        Row("京都府", "Kyoto", 138, (3915.33, -138558.23), (3408, -137076.84),
            (-102054.21, 3915.33, -144861.9, -25915.92)),
        Row("大阪府", "Osaka", 86, (-86254.23, -189012.78), (-82113.4, -189618.05),
            (-86326.86, -24524.65, -190745.03, -102294.44)),
        Row("奈良県", "Nara", 98, (-13449.04, -231026.55), (-12639.73, -231398.3),
            (-38145.48, 19326.53, -233145.48, -136756.78)),
        Row("和歌山県", "Wakayama", 100, (1691.48, -253606.55), (551.55, -252872.45),
            (-88745.79, 1691.48, -284164.53, -177768.31)),
    ),
    9: (
        Row("千葉県", "Chiba", 95, (5165.27, -40275.86), (5936.44, -40261.41),
            (-7828.83, 95446.98, -123817.95, 9421.8)),
        Row("福島県", "Fukushima", 125, (87571.31, 92636.04), (87173.12, 96025.58),
            (-61008.95, 108492.8, 85333.99, 225000.02)),
        Row("群馬県", "Gunma", 101, (-101257.98, -1186.53), (-99637.24, -2050.76),
            (-123017.09, -12537.3, -2050.76, 114132.04)),
        Row("茨城県", "Ibaraki", 113, (93782.82, -25590.48), (88249.11, -19713.79),
            (-12853.14, 93782.82, -28623.15, 107285.19)),
        Row("神奈川県", "Kanagawa", 78, (-63510.69, -98245.04), (-59512.07, -90903.33),
            (-76442.82, -6637.92, -100297.58, -37394.08)),
        Row("埼玉県", "Saitama", 83, (3321.92, -23072.91), (5958.01, -20758.48),
            (-101257.98, 5958.01, -27001.8, 31122.54)),
        Row("栃木県", "Tochigi", 76, (-12537.3, 24205.84), (-8475.3, 23280.92),
            (-48541.94, 37984.61, 23280.92, 130904.89)),
        Row("東京都", "Tokyo", 74, (-6637.92, -50425.19), (-9634.14, -48956.44),
            (-79124.54, 6851.99, -55235.58, -12968.61)),
    ),
}

SOURCE = ("MLIT National Land Numerical Information, administrative areas N03 (2021),"
          " simplified to 1 % by the SmartNews Media Research Institute (japan-topography)")
CREDIT = "「国土数値情報（行政区域データ）」（国土交通省）を加工して作成"
