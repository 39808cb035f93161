#include "QtDialogDump.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSlider>
#include <QSpinBox>
#include <QStringList>
#include <QTreeWidget>

namespace {

QString Flag(bool value) { return value ? "1" : "0"; }

QList<QWidget*> VisibleDialogs() {
    QList<QWidget*> dialogs;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && (qobject_cast<QDialog*>(widget) || qobject_cast<QMenu*>(widget))) dialogs << widget;
    return dialogs;
}

void DescribeMenu(const QMenu* menu, QStringList& lines) {
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        const QPoint centre = menu->mapToGlobal(menu->actionGeometry(action).center());
        lines << "action." + action->text().remove('&') +
                     QString("=%1,%2,%3").arg(centre.x()).arg(centre.y()).arg(Flag(action->font().bold()));
    }
}

QString Name(const QWidget* widget) {
    return widget->objectName().isEmpty() ? QString(widget->metaObject()->className()) : widget->objectName();
}

QString Centre(const QWidget* widget) {
    const QPoint centre = widget->mapToGlobal(widget->rect().center());
    return QString("%1,%2").arg(centre.x()).arg(centre.y());
}

}  // namespace

QString DescribeVisibleDialogs() {
    QStringList lines;
    for (QWidget* dialog : VisibleDialogs()) {
        lines << "[dialog." + Name(dialog) + "]" << "title=" + dialog->windowTitle();
        if (auto* menu = qobject_cast<QMenu*>(dialog)) DescribeMenu(menu, lines);
        for (QWidget* child : dialog->findChildren<QWidget*>()) {
            if (!child->isVisible()) continue;
            if (auto* button = qobject_cast<QAbstractButton*>(child)) {
                lines << "button." + button->text().remove('&') + "=" + Centre(button) + "," +
                             Flag(button->isEnabled()) + "," + Flag(button->isChecked());
            } else if (auto* label = qobject_cast<QLabel*>(child); label && !label->objectName().isEmpty()) {
                lines << "label." + label->objectName() + "=" + label->text();
            } else if (auto* spin = qobject_cast<QSpinBox*>(child)) {
                lines << "spin." + Name(spin->parentWidget()) + "=" + Centre(spin) + "," +
                             QString::number(spin->value());
            } else if (auto* slider = qobject_cast<QSlider*>(child)) {
                lines << "slider." + Name(slider) + "=" + Centre(slider) + "," + QString::number(slider->value());
            } else if (auto* list = qobject_cast<QListWidget*>(child)) {
                QStringList items;
                for (int i = 0; i < list->count(); ++i) {
                    QListWidgetItem* item = list->item(i);
                    items << item->text();
                    const QPoint centre = list->viewport()->mapToGlobal(list->visualItemRect(item).center());
                    lines << "item." + item->text() + QString("=%1,%2").arg(centre.x()).arg(centre.y());
                }
                lines << "list." + Name(list) + "=" + items.join('|');
                if (list->currentItem()) lines << "current." + Name(list) + "=" + list->currentItem()->text();
            } else if (auto* tree = qobject_cast<QTreeWidget*>(child)) {
                QStringList rows;
                for (int i = 0; i < tree->topLevelItemCount(); ++i) {
                    QStringList cells;
                    for (int c = 0; c < tree->columnCount(); ++c)
                        cells << tree->topLevelItem(i)->text(c).replace('\n', ' ');
                    rows << cells.join(' ');
                }
                lines << "tree." + Name(tree) + "=" + rows.join('|');
            }
        }
    }
    return lines.join('\n');
}

void GrabVisibleDialogs(const QString& base) {
    for (QWidget* dialog : VisibleDialogs()) dialog->grab().save(base + "." + Name(dialog) + ".png");
}
