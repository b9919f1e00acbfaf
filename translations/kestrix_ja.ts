<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Duct Size</source>
        <translation>ダクトサイズ(&amp;D)</translation>
    </message>
    <message>
        <source>Diffuser, Air &amp;Grille</source>
        <translation>吹出・吸込口(&amp;G)</translation>
    </message>
    <message>
        <source>View on &amp;Top Most</source>
        <translation>最上部に表示(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>バージョン情報(&amp;A)</translation>
    </message>
    <message>
        <source>Duct &amp;system…</source>
        <translation>ダクト系統(&amp;S)…</translation>
    </message>
</context>
<context>
    <name>kestrix::DuctPage</name>
    <message>
        <source>(no material)</source>
        <translation>(材料なし)</translation>
    </message>
    <message>
        <source>Condition: </source>
        <translation>選定基準：</translation>
    </message>
    <message>
        <source>&amp;Calc</source>
        <translation>計算(&amp;C)</translation>
    </message>
    <message>
        <source>Duct Size [mm]</source>
        <translation>ダクトサイズ[mm]</translation>
    </message>
    <message>
        <source>Properties of selected Duct</source>
        <translation>選択ダクト情報（静圧チェック）</translation>
    </message>
    <message>
        <source>Size [mm]:</source>
        <translation>サイズ[mm]：</translation>
    </message>
    <message>
        <source>&amp;ReCalc</source>
        <translation>再計算(&amp;R)</translation>
    </message>
    <message>
        <source>Aspect Ratio:</source>
        <translation>ｱｽﾍﾟｸﾄ比：</translation>
    </message>
    <message>
        <source>Velocity[m/s]:</source>
        <translation>風速[m/s]：</translation>
    </message>
    <message>
        <source>Standard Flow[CMH]:</source>
        <translation>基準風量[CMH]：</translation>
    </message>
    <message>
        <source>Equivalent Dia.[mm]:</source>
        <translation>相当直径[mm]：</translation>
    </message>
    <message>
        <source>Velocity E.Dia.[m/s]:</source>
        <translation>丸ﾀﾞｸﾄ換算時風速[m/s]：</translation>
    </message>
    <message>
        <source>Dynamic Pr.[Pa]:</source>
        <translation>動圧[Pa]：</translation>
    </message>
    <message>
        <source>Dynamic Pr.[kgf/m²]:</source>
        <translation>動圧[kgf/㎡]：</translation>
    </message>
    <message>
        <source>DeltaPr.[Pa/m]:</source>
        <translation>Δp[Pa/m]：</translation>
    </message>
    <message>
        <source>DeltaPr.[mmAq/m]:</source>
        <translation>Δp[mmAq/m]：</translation>
    </message>
</context>
<context>
    <name>kestrix::SizingPage</name>
    <message>
        <source>&amp;Flow Rate[CMH]:</source>
        <translation>風量(&amp;F) [CMH]：</translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <translation>変更(&amp;R)</translation>
    </message>
</context>
<context>
    <name>kestrix::TerminalPage</name>
    <message>
        <source>Condition: Free Area - %3d %%, Velocity - %5s m/s</source>
        <translation>選定基準： 開口率･･･ %3d %% , 面風速･･･ %5s m/s</translation>
    </message>
    <message>
        <source>Ca&amp;lc</source>
        <translation>計算(&amp;L)</translation>
    </message>
    <message>
        <source>Diffuser, Air Grille Size [mm]</source>
        <translation>吹出・吸込口サイズ[mm]</translation>
    </message>
    <message>
        <source>Properties of selected Diffuser, Air Grille</source>
        <translation>詳細情報（チェック）</translation>
    </message>
    <message>
        <source>Size[mm]:</source>
        <translation>サイズ[mm]：</translation>
    </message>
    <message>
        <source>&amp;ReCalc</source>
        <translation>再計算</translation>
    </message>
    <message>
        <source>Free Area[%]:</source>
        <translation>開口率[%]：</translation>
    </message>
    <message>
        <source>Necessary Area[m²]:</source>
        <translation>必要[㎡]：</translation>
    </message>
    <message>
        <source>Surface Velocity[m/s]:</source>
        <translation>面風速[m/s]：</translation>
    </message>
    <message>
        <source>Effective Area[m²]:</source>
        <translation>有効[㎡]：</translation>
    </message>
    <message>
        <source>Standard Flow[CMH]:</source>
        <translation>基準風量[CMH]：</translation>
    </message>
</context>
</TS>
