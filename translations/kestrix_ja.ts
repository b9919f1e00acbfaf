<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>kestrix::AboutBox</name>
    <message>
        <source>Version information</source>
        <translation>ﾊﾞｰｼﾞｮﾝ情報</translation>
    </message>
</context>
<context>
    <name>kestrix::DialogSupport</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>kestrix::DuctSystemWindow</name>
    <message>
        <source>round</source>
        <translation>丸</translation>
    </message>
    <message>
        <source>rectangular</source>
        <translation>角</translation>
    </message>
    <message>
        <source>The file is larger than 50 MB.</source>
        <translation>ファイルが 50 MB を超えています。</translation>
    </message>
    <message>
        <source>Cannot open </source>
        <translation>開けません：</translation>
    </message>
    <message>
        <source>The system is nested more than 1000 sections deep; the console tool (kestrix-calc system) calculates it.</source>
        <translation>系統の深さが 1000 区間を超えています。kestrix-calc system で計算できます。</translation>
    </message>
    <message>
        <source>Duct system</source>
        <translation>ダクト系統</translation>
    </message>
    <message>
        <source>Cannot save </source>
        <translation>保存できません：</translation>
    </message>
    <message>
        <source>The system has problems; correct them before exporting.</source>
        <translation>系統に問題があります。修正してから出力してください。</translation>
    </message>
    <message>
        <source>The paths of the system are too long together to be listed in a report.</source>
        <translation>経路の区間数の合計が多すぎて、出力できません。</translation>
    </message>
    <message>
        <source>Open duct system</source>
        <translation>ダクト系統を開く</translation>
    </message>
    <message>
        <source>Duct systems (*.json)</source>
        <translation>ダクト系統 (*.json)</translation>
    </message>
    <message>
        <source>Save duct system</source>
        <translation>ダクト系統を保存</translation>
    </message>
    <message>
        <source>Export Markdown</source>
        <translation>Markdown 出力</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV 出力</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>開く(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>Export &amp;CSV...</source>
        <translation>CSV 出力(&amp;C)...</translation>
    </message>
    <message>
        <source>Export &amp;Markdown...</source>
        <translation>Markdown 出力(&amp;M)...</translation>
    </message>
    <message>
        <source>Add section</source>
        <translation>区間を追加</translation>
    </message>
    <message>
        <source>Add downstream</source>
        <translation>下流に追加</translation>
    </message>
    <message>
        <source>Move under previous</source>
        <translation>前の区間の下へ</translation>
    </message>
    <message>
        <source>Move up a level</source>
        <translation>一段上へ</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>区間</translation>
    </message>
    <message>
        <source>Length[m]</source>
        <translation>長さ[m]</translation>
    </message>
    <message>
        <source>Flow[CMH]</source>
        <translation>風量[CMH]</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>形状</translation>
    </message>
    <message>
        <source>Max height</source>
        <translation>最大高さ</translation>
    </message>
    <message>
        <source>Fittings C</source>
        <translation>局部損失係数</translation>
    </message>
    <message>
        <source>Fixed loss</source>
        <translation>固定損失</translation>
    </message>
    <message>
        <source>= Flow</source>
        <translation>= 風量</translation>
    </message>
    <message>
        <source>= Size</source>
        <translation>= サイズ</translation>
    </message>
    <message>
        <source>Velocity[m/s]</source>
        <translation>風速[m/s]</translation>
    </message>
    <message>
        <source>Loss/m</source>
        <translation>損失/m</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>損失計</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>経路圧力</translation>
    </message>
    <message>
        <source>Surplus</source>
        <translation>余剰</translation>
    </message>
    <message>
        <source>Double-click a cell to edit it; drag a section onto another to move it under it.</source>
        <translation>セルをダブルクリックして編集。区間を別の区間へドラッグすると、その下に移ります。</translation>
    </message>
    <message>
        <source>Power law (duct page)</source>
        <translation>べき乗則（ダクトサイズ）</translation>
    </message>
    <message>
        <source>Colebrook-White</source>
        <translation>コールブルック</translation>
    </message>
    <message>
        <source>Round</source>
        <translation>丸</translation>
    </message>
    <message>
        <source>Rectangular</source>
        <translation>角</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Air other than 1.2 kg/m³</source>
        <translation>空気の状態を指定</translation>
    </message>
    <message>
        <source>from the elevation</source>
        <translation>標高から</translation>
    </message>
    <message>
        <source>Problems of the system appear here, each naming its section.</source>
        <translation>系統の問題は、区間名とともにここに表示されます。</translation>
    </message>
    <message>
        <source>System</source>
        <translation>系統の設定</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>単位</translation>
    </message>
    <message>
        <source>Friction</source>
        <translation>摩擦損失</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>スタイル</translation>
    </message>
    <message>
        <source>Material</source>
        <translation>ダクト材質</translation>
    </message>
    <message>
        <source>Velocity limit[m/s]</source>
        <translation>最大風速[m/s]</translation>
    </message>
    <message>
        <source>Loss limit per m</source>
        <translation>単位摩擦損失</translation>
    </message>
    <message>
        <source>Aspect limit</source>
        <translation>最大アスペクト比</translation>
    </message>
    <message>
        <source>Max height[mm]</source>
        <translation>最大高さ[mm]</translation>
    </message>
    <message>
        <source>Temperature[°C]</source>
        <translation>温度[℃]</translation>
    </message>
    <message>
        <source>Elevation[m]</source>
        <translation>標高[m]</translation>
    </message>
    <message>
        <source>Pressure[kPa]</source>
        <translation>気圧[kPa]</translation>
    </message>
    <message>
        <source>Fan pressure</source>
        <translation>送風機静圧</translation>
    </message>
    <message>
        <source>(material and limits below)</source>
        <translation>（下の材質と制限）</translation>
    </message>
    <message>
        <source>Φ</source>
        <comment>the mark of a round size</comment>
        <translation>φ</translation>
    </message>
    <message>
        <source>Kestrix Error</source>
        <translation>Kestrix エラー</translation>
    </message>
    <message>
        <source>It is not a file, and is left as it is.</source>
        <translation>ファイルではないため、そのままにしました。</translation>
    </message>
    <message>
        <source>It is not a file.</source>
        <translation>ファイルではありません。</translation>
    </message>
</context>
<context>
    <name>kestrix::StyleEditor</name>
    <message>
        <source>Configs to select Diffuser, Air Grille</source>
        <translation>吹出吸込口選定基準</translation>
    </message>
    <message>
        <source>Configs to select DUCT size</source>
        <translation>ダクトサイズ選定基準</translation>
    </message>
    <message>
        <source>Style Name to select</source>
        <translation>選定ｽﾀｲﾙ名(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新規作成(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>名前変更(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>Standard to select</source>
        <comment>ducts</comment>
        <translation>ﾀﾞｸﾄｻｲｽﾞ選定基準</translation>
    </message>
    <message>
        <source>Material:</source>
        <translation>・ダクト材質：</translation>
    </message>
    <message>
        <source>Duct Roughness[mm]:</source>
        <translation>・内面粗度[mm]：</translation>
    </message>
    <message>
        <source>Air Velocity[m/s]:</source>
        <translation>・ダクト内風速[m/s]：</translation>
    </message>
    <message>
        <source>or less</source>
        <translation>以下</translation>
    </message>
    <message>
        <source>Max Loss :</source>
        <translation>・最大摩擦損失：</translation>
    </message>
    <message>
        <source>Aspect Ratio:</source>
        <translation>・アスペクト比：</translation>
    </message>
    <message>
        <source>Standard to select</source>
        <comment>air terminals</comment>
        <translation>吹出吸込口選定基準</translation>
    </message>
    <message>
        <source>Numerical aperture[%]:</source>
        <translation>・開口率[%]：</translation>
    </message>
    <message>
        <source>Surface wind velocity[m/s]:</source>
        <translation>・面風速[m/s]：</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>設定保存(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>適用(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>ｷｬﾝｾﾙ(&amp;C)</translation>
    </message>
    <message>
        <source>Not able to register this over</source>
        <translation>これ以上は登録できません。</translation>
    </message>
    <message>
        <source>New Style Name</source>
        <translation>新しい選定ｽﾀｲﾙ名</translation>
    </message>
    <message>
        <source>Rename Style Name</source>
        <translation>選定ｽﾀｲﾙ名変更</translation>
    </message>
    <message>
        <source>Style Name:
&#x3000;&quot;%1&quot;
&#x3000;delete this style?</source>
        <translation>設定ｽﾀｲﾙ名:
&#x3000;&quot;%1&quot;
&#x3000;を削除しますか?</translation>
    </message>
</context>
<context>
    <name>kestrix::StyleNameDialog</name>
    <message>
        <source>Style Name</source>
        <translation>選定ｽﾀｲﾙ名：</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>OK(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>ｷｬﾝｾﾙ(&amp;C)</translation>
    </message>
    <message>
        <source>Style1</source>
        <translation>ｽﾀｲﾙ1</translation>
    </message>
    <message>
        <source>Style Name:
  &quot;%1&quot; has already been registered！</source>
        <translation>選定ｽﾀｲﾙ名:
&#x3000;&quot;%1&quot; は、すでに登録されています！</translation>
    </message>
</context>
</TS>
