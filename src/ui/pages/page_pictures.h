#pragma once

#include <QPixmap>

#include <array>

namespace pelto::ui {

// The page picture list: ten 18 x 18 pictures that tabs show for their pages. 0 to 8 are the
// frames of the loading animation (a rotating arc), 9 the plain page (a sheet with a folded
// corner). The pictures are drawn once, at the device pixel ratio given.
class PagePictures {
public:
    static constexpr int kCount = 10;
    static constexpr int kPlainPage = 9;
    static constexpr int kSize = 18;

    explicit PagePictures(qreal devicePixelRatio = 1.0);

    // The picture at index; the plain page for an index outside 0 to 9.
    QPixmap picture(int index) const;
    qreal devicePixelRatio() const { return m_devicePixelRatio; }

private:
    qreal m_devicePixelRatio;
    std::array<QPixmap, kCount> m_pictures;
};

}  // namespace pelto::ui
