#include "QtDialogDump.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QSlider>
#include <QSpinBox>
#include <QStringList>
#include <QTreeWidget>

namespace {

QList<QDialog*> VisibleDialogs() {
    QList<QDialog*> dialogs;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) dialogs << dialog;
    return dialogs;
}

QString Name(const QWidget* widget) {
    return widget->objectName().isEmpty() ? QString(widget->metaObject()->className()) : widget->objectName();
}

QString Centre(const QWidget* widget) {
    const QPoint centre = widget->mapToGlobal(widget->rect().center());
    return QString("%1,%2").arg(centre.x()).arg(centre.y());
}

QString Flag(bool value) { return value ? "1" : "0"; }

}  // namespace

QString DescribeVisibleDialogs() {
    QStringList lines;
    for (QDialog* dialog : VisibleDialogs()) {
        lines << "[dialog." + Name(dialog) + "]" << "title=" + dialog->windowTitle();
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
                    for (int c = 0; c < tree->columnCount(); ++c) cells << tree->topLevelItem(i)->text(c);
                    rows << cells.join(' ');
                }
                lines << "tree." + Name(tree) + "=" + rows.join('|');
            }
        }
    }
    return lines.join('\n');
}

void GrabVisibleDialogs(const QString& base) {
    for (QDialog* dialog : VisibleDialogs()) dialog->grab().save(base + "." + Name(dialog) + ".png");
}
