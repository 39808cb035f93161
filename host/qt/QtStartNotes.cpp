#include "QtStartNotes.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <cstdio>

#include "QtMessageBox.h"

void ShowStartNotes(const StartNotes& notes, const QString& caption) {
    if (!notes.rootNote.empty()) {
        std::fprintf(stderr, "Velmar: %s\n", notes.rootNote.c_str());
        std::fflush(stderr);
        // In the work area's corner, away from where the main window starts,
        // so it covers nothing the user is about to click.
        auto* note = new QMessageBox(QMessageBox::Information, caption, QString::fromStdString(notes.rootNote),
                                     QMessageBox::Ok);
        note->setObjectName("RootNote");
        note->setModal(false);
        note->setAttribute(Qt::WA_DeleteOnClose);
        note->setAttribute(Qt::WA_ShowWithoutActivating);
        note->adjustSize();
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            note->move(area.right() - note->width() - 16, area.bottom() - note->height() - 48);
        }
        note->show();
    }
    if (!notes.chipMessage.empty()) {
        // Also where a user who starts it from a terminal looks.
        std::fprintf(stderr, "Velmar: %s\n", notes.chipMessage.c_str());
        std::fflush(stderr);
        CQtMessageBox box;
        box.SetCaption(caption);
        box.Show(notes.chipMessage);
    }
}
