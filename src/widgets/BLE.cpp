#include "widgets/BLE.h"

#include "report/FixedFont.h"
#include "widgets/ControlBinder.h"
#include "widgets/DeviceEntryDelegate.h"
#include "window/WindowSession.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace vexa {

FrmBLE::FrmBLE(WindowSession& session, QWidget* parent)
    : QDialog(parent)
    , session_(session)
    , binder_(new ControlBinder(session.linkWindow().controls(), this)) {
    setObjectName(ble::BLE);
    setModal(true);
    setFixedSize(560, 330);

    const auto place = [this](QWidget* widget, const QString& name, const QRect& pixels) {
        widget->setObjectName(name);
        widget->setGeometry(pixels);
        binder_->bind(widget);
    };
    place(new QLabel(this), ble::Label1, QRect(12, 8, 268, 22));
    place(new QLabel(this), ble::lblAdapter, QRect(284, 8, 56, 22));
    auto* adapters = new QComboBox(this);
    place(adapters, ble::cmbAdapter, QRect(344, 4, 204, 28));
    auto* devices = new QListWidget(this);
    devices->setFont(fixedFont());
    devices->setItemDelegate(new DeviceEntryDelegate(devices));
    place(devices, ble::lbDevices, QRect(12, 34, 536, 190));
    auto* scan = new QPushButton(this);
    place(scan, ble::cmdScan, QRect(12, 232, 120, 30));
    auto* connectButton = new QPushButton(this);
    place(connectButton, ble::cmdConnect, QRect(140, 232, 140, 30));
    auto* reconnect = new QPushButton(this);
    place(reconnect, ble::cmdReconnect, QRect(288, 232, 260, 30));
    auto* log = new QLineEdit(this);
    log->setReadOnly(true);
    place(log, ble::txtLog, QRect(12, 276, 536, 28));
    binder_->bind(this);

    LinkWindowModel& model = session_.linkWindow();
    connect(scan, &QPushButton::clicked, &model, &LinkWindowModel::cmdScan_Click);
    connect(connectButton, &QPushButton::clicked, &model, &LinkWindowModel::cmdConnect_Click);
    connect(reconnect, &QPushButton::clicked, &model, &LinkWindowModel::cmdReconnect_Click);
    connect(adapters, &QComboBox::activated, &model, &LinkWindowModel::cmbAdapter_Click);
    // The user chooses by selecting, with the mouse or the keys; the current row alone also moves when the
    // list takes the focus.
    connect(devices, &QListWidget::itemSelectionChanged, &model, [devices, &model] {
        const QList<QListWidgetItem*> chosen = devices->selectedItems();
        model.lbDevices_Click(chosen.isEmpty() ? -1 : devices->row(chosen.first()));
    });
    connect(devices, &QListWidget::doubleClicked, &model,
            [&model](const QModelIndex& entry) { model.lbDevices_DblClick(entry.row()); });
    connect(&model, &LinkWindowModel::linkEstablished, this, &QDialog::accept);
}

} // namespace vexa
