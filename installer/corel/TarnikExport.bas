Attribute VB_Name = "TarnikExport"
' Sends the current CorelDRAW page to the Tarnik job sender: exports it as an
' HPGL plot file into the temporary folder under the export file name and
' posts the job message to the job sender's window.
'
' The HPGL export filter writes 800 plotter units per inch (the 31.496 units
' per millimetre the job sender reads) because the installer Ostrel has set
' "DLG Plotter Units Per Inch" = 800 in the filter's section
' "CorelHPGLExport" of CorelDRAW's filter settings file.
Option Explicit

#If VBA7 Then
Private Declare PtrSafe Function FindWindowA Lib "user32" (ByVal lpClassName As String, _
    ByVal lpWindowName As String) As LongPtr
Private Declare PtrSafe Function PostMessageA Lib "user32" (ByVal hWnd As LongPtr, _
    ByVal wMsg As Long, ByVal wParam As LongPtr, ByVal lParam As LongPtr) As Long
Private Declare PtrSafe Function GetTempPathA Lib "kernel32" (ByVal nBufferLength As Long, _
    ByVal lpBuffer As String) As Long
Private Declare PtrSafe Function GetPrivateProfileStringA Lib "kernel32" ( _
    ByVal lpAppName As String, ByVal lpKeyName As String, ByVal lpDefault As String, _
    ByVal lpReturnedString As String, ByVal nSize As Long, ByVal lpFileName As String) As Long
#Else
Private Declare Function FindWindowA Lib "user32" (ByVal lpClassName As String, _
    ByVal lpWindowName As String) As Long
Private Declare Function PostMessageA Lib "user32" (ByVal hWnd As Long, _
    ByVal wMsg As Long, ByVal wParam As Long, ByVal lParam As Long) As Long
Private Declare Function GetTempPathA Lib "kernel32" (ByVal nBufferLength As Long, _
    ByVal lpBuffer As String) As Long
Private Declare Function GetPrivateProfileStringA Lib "kernel32" ( _
    ByVal lpAppName As String, ByVal lpKeyName As String, ByVal lpDefault As String, _
    ByVal lpReturnedString As String, ByVal nSize As Long, ByVal lpFileName As String) As Long
#End If

' WM_USER + 100: the job is ready in the export file.
Private Const WM_JOB_READY As Long = &H400 + 100
' The job sender's settings, where the installer put them.
Private Const SETTINGS_FILE As String = "c:\program files\Tarnik\tarnik.ini"
Private Const DEFAULT_EXPORT_NAME As String = "tarnik.plt"

' A plain cutting job: no registration marks.
Public Sub CutWithTarnik()
    SendJob 0, 0
End Sub

' A job with the two mark parameters of a registration-mark job (the last
' two numbers of the plotter's mark header).
Public Sub SendJob(ByVal markParamA As Long, ByVal markParamB As Long)
    If ActiveDocument Is Nothing Then
        MsgBox "Open a drawing first.", vbExclamation, "Tarnik"
        Exit Sub
    End If
    Dim sender
    sender = FindWindowA("#32770", "Tarnik")
    If sender = 0 Then
        MsgBox "Start Tarnik first.", vbExclamation, "Tarnik"
        Exit Sub
    End If

    Dim path As String
    path = TemporaryFolder() & ExportName()
    If Dir(path) <> "" Then Kill path

    Dim filter As ExportFilter
    Set filter = ActiveDocument.ExportEx(path, cdrHPGL, cdrCurrentPage)
    filter.Finish
    If Dir(path) = "" Then
        MsgBox "The HPGL export did not write " & path, vbExclamation, "Tarnik"
        Exit Sub
    End If

    PostMessageA sender, WM_JOB_READY, markParamA, markParamB
End Sub

' The system temporary folder, with its trailing backslash (the job sender's
' export folder).
Private Function TemporaryFolder() As String
    Dim buffer As String
    buffer = String$(261, vbNullChar)
    Dim length As Long
    length = GetTempPathA(260, buffer)
    TemporaryFolder = Left$(buffer, length)
End Function

' "ColExportFilename" of the job sender's settings: the name it expects.
Private Function ExportName() As String
    Dim buffer As String
    buffer = String$(64, vbNullChar)
    Dim length As Long
    length = GetPrivateProfileStringA("AutoGET", "ColExportFilename", DEFAULT_EXPORT_NAME, _
        buffer, 64, SETTINGS_FILE)
    ExportName = Trim$(Left$(buffer, length))
    If ExportName = "" Then ExportName = DEFAULT_EXPORT_NAME
End Function
