#pragma once
// TPicture: a multi-resolution picture. For a source base such as ":/pictures/help" it draws
// help.png (scale 1), help@2x.png or help@3x.png, whichever exists nearest to the display's scale
// (a tie goes to the larger scale), fitted into its area with the proportions kept, centred, both
// enlarging and shrinking, at its opacity (0 to 1). Without any file it draws nothing.

#include <QPixmap>
#include <QWidget>

class TPicture : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal opacity READ Opacity WRITE SetOpacity NOTIFY opacityChanged)

public:
    explicit TPicture(QWidget* parent = nullptr);

    QString Source() const { return source_; }
    void SetSource(const QString& base);
    qreal Opacity() const { return opacity_; }
    void SetOpacity(qreal opacity);

    // The file drawn for `scale`, or an empty string when none of the three exists.
    static QString ScaledFile(const QString& base, qreal scale);
    // `picture` fitted into `area` with its proportions kept, centred.
    static QRectF FittedRect(const QSizeF& picture, const QRectF& area);

signals:
    void opacityChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString source_;
    qreal opacity_ = 1;
    QString loadedFile_;
    QPixmap pixmap_;
};
