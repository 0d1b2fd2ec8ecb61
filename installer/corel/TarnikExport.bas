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
' The export file name as the job sender reads it: the same default when
' tarnik.ini has none (a blank, which names no file), the same length (the
' sender's field holds 49 characters and its terminator).
Private Const SENDER_DEFAULT_NAME As String = " "
Private Const NAME_SIZE As Long = 50

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

    ' The job sender reads "%s\%s" of its export folder (the temporary
    ' folder) and the export file name: the macro writes exactly there.
    Dim name As String
    name = ExportName()
    If Trim$(name) = "" Then
        MsgBox "tarnik.ini names no export file (ColExportFilename in section AutoGET of " & _
            SETTINGS_FILE & "): set it in Tarnik's settings.", vbExclamation, "Tarnik"
        Exit Sub
    End If
    Dim path As String
    path = TemporaryFolder() & "\" & name

    ' A locked old export file or a failed export is told with the file's
    ' name, not left to the macro host's runtime error.
    On Error GoTo ExportFailed
    If Dir(path) <> "" Then Kill path
    Dim filter As ExportFilter
    Set filter = ActiveDocument.ExportEx(path, cdrHPGL, cdrCurrentPage)
    filter.Finish
    On Error GoTo 0
    If Dir(path) = "" Then
        MsgBox "The HPGL export did not write " & path, vbExclamation, "Tarnik"
        Exit Sub
    End If

    PostMessageA sender, WM_JOB_READY, markParamA, markParamB
    Exit Sub

ExportFailed:
    MsgBox "Cannot write the export file " & path & ":" & vbCrLf & Err.Description, _
        vbExclamation, "Tarnik"
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

' "ColExportFilename" of the job sender's settings, read as the job sender
' reads it.
Private Function ExportName() As String
    Dim buffer As String
    buffer = String$(NAME_SIZE, vbNullChar)
    Dim length As Long
    length = GetPrivateProfileStringA("AutoGET", "ColExportFilename", SENDER_DEFAULT_NAME, _
        buffer, NAME_SIZE, SETTINGS_FILE)
    ExportName = Left$(buffer, length)
End Function
